// A 32-bit build under 64-bit Windows (WOW64): Windows would send its file
// access in System32 to SysWOW64 and its Run key writes to the 32-bit view,
// while the auto-start entry is run at logon from the native System32. The
// services therefore turn file-system redirection off around each file
// call, and ask for the 64-bit registry view.
#pragma once

#include <windows.h>

namespace adsl {

// Whether this process is a 32-bit one on 64-bit Windows (asked once).
bool running_under_wow64() noexcept;

// Turns file-system redirection off for the calling thread while it lives,
// under WOW64 only; elsewhere it does nothing.
class RedirectionOff {
public:
    RedirectionOff() noexcept;
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;
    ~RedirectionOff();

private:
    void* old_value_ = nullptr;
    bool disabled_ = false;
};

} // namespace adsl
