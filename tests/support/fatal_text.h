// The fatal error texts as strings, for comparing with what a test sees.
#pragma once

#include "runtime/fatal.h"

#include <string>
#include <string_view>

namespace adsl::test {

inline std::string fatal_dialog_text(std::string_view message, int code)
{
    std::string text(format_fatal_error_text(nullptr, 0, message, code) + 1, '\0');
    format_fatal_error_text(text.data(), text.size(), message, code);
    text.pop_back(); // the terminating zero
    return text;
}

inline std::string out_of_memory_message(std::size_t bytes)
{
    char message[100];
    const std::size_t length = format_out_of_memory_message(message, sizeof message, bytes);
    return std::string(message, length);
}

} // namespace adsl::test
