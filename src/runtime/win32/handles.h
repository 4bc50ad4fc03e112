// Move-only owners of the Win32 handles that the services hold, each named
// after what it releases.
#pragma once

#include <windows.h>

namespace adsl {

// A file handle from CreateFileA, closed with CloseHandle.
class FileHandle {
public:
    FileHandle() noexcept = default;
    explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
    FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other) {
            close();
            handle_ = other.handle_;
            other.handle_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }

    HANDLE get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now; a failure of CloseHandle is ignored.
    void close() noexcept
    {
        if (valid()) {
            CloseHandle(handle_);
        }
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A directory search from FindFirstFileA, ended with FindClose.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) noexcept : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (valid()) {
            FindClose(handle_);
        }
    }
    HANDLE get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// An open registry key, closed with RegCloseKey.
class RegistryKey {
public:
    RegistryKey() noexcept = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    HKEY get() const noexcept { return key_; }
    // Where RegOpenKey* writes the key; the key must not be open yet.
    HKEY* receive() noexcept { return &key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace adsl
