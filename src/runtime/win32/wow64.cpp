#include "runtime/win32/wow64.h"

namespace adsl {
namespace {

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFunction = BOOL(WINAPI*)(PVOID);

// Looked up at run time: 32-bit Windows before XP SP2 has none of them.
template <typename Function>
Function kernel32_function(const char* name) noexcept
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (kernel32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

} // namespace

bool running_under_wow64() noexcept
{
    static const bool under_wow64 = [] {
        const auto is_wow64_process = kernel32_function<IsWow64ProcessFunction>("IsWow64Process");
        BOOL wow64 = FALSE;
        return is_wow64_process != nullptr && is_wow64_process(GetCurrentProcess(), &wow64) && wow64;
    }();
    return under_wow64;
}

RedirectionOff::RedirectionOff() noexcept
{
    if (!running_under_wow64()) {
        return;
    }
    static const auto disable = kernel32_function<DisableRedirectionFunction>("Wow64DisableWow64FsRedirection");
    if (disable != nullptr && disable(&old_value_)) {
        disabled_ = true;
    }
}

RedirectionOff::~RedirectionOff()
{
    if (!disabled_) {
        return;
    }
    static const auto revert = kernel32_function<RevertRedirectionFunction>("Wow64RevertWow64FsRedirection");
    if (revert != nullptr) {
        revert(old_value_);
    }
}

} // namespace adsl
