// Checks in the manner of Wine's conformance tests: every check prints
// what it expected and what it got, with the line of the check (a helper
// passes its caller's line on), and the program's exit status is the
// number of failed checks.
#pragma once

#include "../support/bytes.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace adsl::test {

inline int checks_done = 0;
inline int checks_failed = 0;
inline const char* current_group = "";

inline void check_at(int line, bool passed, const char* format, ...)
{
    ++checks_done;
    if (!passed) {
        ++checks_failed;
    }
    std::printf("%s:%d: %s: ", current_group, line, passed ? "ok" : "Test failed");
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}

// ok(condition, "expected ..., got ...\n", ...)
#define ok(...) ::adsl::test::check_at(__LINE__, __VA_ARGS__)
// The same from a helper that received its caller's line.
#define ok_at(line, ...) ::adsl::test::check_at(line, __VA_ARGS__)

inline int summary()
{
    std::printf("%s: %d tests executed, %d failures\n", current_group, checks_done, checks_failed);
    return checks_failed == 0 ? 0 : 1;
}

// A process or thread handle, closed with CloseHandle.
class KernelHandle {
public:
    KernelHandle() noexcept = default;
    explicit KernelHandle(HANDLE handle) noexcept : handle_(handle) {}
    KernelHandle(KernelHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    KernelHandle& operator=(KernelHandle&& other) noexcept
    {
        if (this != &other) {
            close();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { close(); }
    HANDLE get() const noexcept { return handle_; }

private:
    void close() noexcept
    {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
            handle_ = nullptr;
        }
    }
    HANDLE handle_ = nullptr;
};

} // namespace adsl::test
