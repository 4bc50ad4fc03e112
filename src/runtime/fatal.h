// Fatal run-time errors: the one way the program stops on a fault it cannot
// continue from. The dialog has a fixed form; the program ends with -1.
#pragma once

#include "runtime/text.h"

#include <cstddef>
#include <string_view>

namespace adsl {

// The fixed message of a run-time error code.
std::string_view run_time_error_message(RunTimeError code) noexcept;

// The error dialog's text (the heading, a code line when `code` is not 0,
// a message line when `message` is not empty), and the out-of-memory
// message for a refused request of `bytes` bytes. Both are written into the
// caller's buffer, since the fatal path must not ask an exhausted heap for
// more. Both answer the length of the whole text; when it does not fit,
// only `capacity - 1` bytes are written. The buffer always ends with a zero
// byte (capacity > 0).
std::size_t format_fatal_error_text(char* out, std::size_t capacity, std::string_view message, int code) noexcept;
std::size_t format_out_of_memory_message(char* out, std::size_t capacity, std::size_t bytes) noexcept;

// Suppresses events, shows the dialog ("错误", stop icon), forgets the
// end-of-run routine and ends the program with -1.
[[noreturn]] void report_fatal_error(std::string_view message, int code) noexcept;
[[noreturn]] void raise_run_time_error(RunTimeError code) noexcept;
[[noreturn]] void fatal_out_of_memory(std::size_t bytes) noexcept;

} // namespace adsl
