// Script file access over kernel32, with a process-wide table of open
// files. Under WOW64, every call that names a path runs with file-system
// redirection off, so that "C:\Windows\system32" is the native folder.
#include "runtime/files.h"

#include "runtime/win32/handles.h"
#include "runtime/win32/system_failure_win32.h"
#include "runtime/win32/wow64.h"

#include <vector>

namespace adsl {
namespace {

struct OpenFile {
    FileNumber number;
    FileHandle handle;
};

// In the order of opening. The table lives as long as the process.
std::vector<OpenFile>& open_files()
{
    static std::vector<OpenFile> table;
    return table;
}

FileNumber last_number = 0;

FileNumber next_free_number()
{
    for (;;) {
        ++last_number;
        if (last_number == 0) {
            continue; // 0 is never a file number
        }
        bool in_use = false;
        for (const OpenFile& file : open_files()) {
            in_use = in_use || file.number == last_number;
        }
        if (!in_use) {
            return last_number;
        }
    }
}

HANDLE find_handle(FileNumber number)
{
    if (number == 0) {
        return INVALID_HANDLE_VALUE;
    }
    for (const OpenFile& file : open_files()) {
        if (file.number == number) {
            return file.handle.get();
        }
    }
    return INVALID_HANDLE_VALUE;
}

// A zero-ended copy of a path for the ANSI functions.
Text path_text(std::string_view path) { return Text::copy_of(path); }

// The file pointer, or false when it cannot be asked.
bool current_position(HANDLE handle, LONGLONG& position)
{
    LARGE_INTEGER zero{};
    LARGE_INTEGER now{};
    if (!SetFilePointerEx(handle, zero, &now, FILE_CURRENT)) {
        return false;
    }
    position = now.QuadPart;
    return true;
}

bool move_to(HANDLE handle, LONGLONG position)
{
    LARGE_INTEGER to{};
    to.QuadPart = position;
    return SetFilePointerEx(handle, to, nullptr, FILE_BEGIN) != 0;
}

void move_to_end(HANDLE handle)
{
    LARGE_INTEGER zero{};
    SetFilePointerEx(handle, zero, nullptr, FILE_END);
}

// The whole length of the file, leaving the file pointer where it was.
bool whole_length(HANDLE handle, LONGLONG& length)
{
    LONGLONG noted = 0;
    if (!current_position(handle, noted)) {
        return false;
    }
    LARGE_INTEGER zero{};
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(handle, zero, &end, FILE_END)) {
        return false;
    }
    length = end.QuadPart;
    return move_to(handle, noted);
}

// Where the text ends in the bytes read, and where the file pointer goes.
struct Stop {
    std::size_t text_length;
    std::size_t pointer_offset;
    bool found;
};

// Scans by characters: 0x00 or 0x1A at a character start ends the text,
// and so does a two-byte character whose second byte is 0x00. Looks at no
// byte beyond `count`; a lead byte that is the last one delivered stays.
Stop find_stop(const unsigned char* bytes, std::size_t count)
{
    std::size_t i = 0;
    while (i < count) {
        const unsigned char c = bytes[i];
        if (c == 0x00 || c == 0x1A) {
            return {i, i, true};
        }
        if (c >= 0x80) {
            if (i + 1 >= count) {
                break;
            }
            if (bytes[i + 1] == 0x00) {
                return {i, i + 1, true};
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    return {count, count, false};
}

} // namespace

bool file_exists(std::string_view path)
{
    const Text name = path_text(path);
    WIN32_FIND_DATAA found;
    RedirectionOff native_paths;
    const FindHandle search(FindFirstFileA(name.get(), &found));
    return search.valid();
}

FileNumber open_file(std::string_view path, OpenMode mode, SystemFailure* failure)
{
    if (path.empty()) {
        return 0;
    }
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
    case OpenMode::read_write:
        break;
    case OpenMode::rewrite:
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case OpenMode::read_only:
        access = GENERIC_READ;
        break;
    }
    const Text name = path_text(path);
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    FileHandle handle;
    DWORD error = 0;
    {
        RedirectionOff native_paths;
        handle = FileHandle(CreateFileA(name.get(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
        error = GetLastError();
    }
    if (!handle.valid()) {
        record_failure(failure, path, error);
        return 0;
    }
    const FileNumber number = next_free_number();
    open_files().push_back(OpenFile{number, std::move(handle)});
    return number;
}

Text read_text(FileNumber number)
{
    const HANDLE handle = find_handle(number);
    if (handle == INVALID_HANDLE_VALUE) {
        return Text();
    }
    LONGLONG length = 0;
    if (!whole_length(handle, length) || length <= 0) {
        return Text();
    }
    // One ReadFile call takes at most a DWORD's worth of bytes.
    if (static_cast<ULONGLONG>(length) >= MAXDWORD ||
        static_cast<ULONGLONG>(length) >= static_cast<ULONGLONG>(SIZE_MAX)) {
        move_to_end(handle);
        return Text();
    }
    const std::size_t size = static_cast<std::size_t>(length);
    // The buffer becomes the text's own block: the file is read only once.
    HeapBlock buffer(heap_try_take(size + 1));
    if (buffer.get() == nullptr) {
        move_to_end(handle);
        return Text();
    }
    unsigned char* bytes = static_cast<unsigned char*>(buffer.get());

    LONGLONG start = 0;
    DWORD delivered = 0;
    if (!current_position(handle, start) ||
        !ReadFile(handle, bytes, static_cast<DWORD>(size), &delivered, nullptr)) {
        move_to_end(handle);
        return Text();
    }
    const Stop stop = find_stop(bytes, delivered);
    if (stop.found && !move_to(handle, start + static_cast<LONGLONG>(stop.pointer_offset))) {
        move_to_end(handle);
        return Text();
    }
    if (stop.text_length == 0) {
        return Text();
    }
    bytes[stop.text_length] = '\0';
    return Text::adopt(std::move(buffer), stop.text_length);
}

bool write_line(FileNumber number, std::string_view text, SystemFailure* failure)
{
    const HANDLE handle = find_handle(number);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    LONGLONG noted = 0;
    if (!current_position(handle, noted)) {
        record_failure(failure, {}, GetLastError());
        return false;
    }
    const auto write_all = [&](const void* data, std::size_t size) {
        DWORD written = 0;
        if (!WriteFile(handle, data, static_cast<DWORD>(size), &written, nullptr)) {
            record_failure(failure, {}, GetLastError());
            return false;
        }
        if (written != size) {
            record_failure(failure, {}, ERROR_HANDLE_DISK_FULL);
            return false;
        }
        return true;
    };
    if ((!text.empty() && !write_all(text.data(), text.size())) || !write_all("\r\n", 2)) {
        move_to(handle, noted);
        return false;
    }
    return true;
}

void close_file(FileNumber number)
{
    if (number == 0) {
        return;
    }
    std::vector<OpenFile>& table = open_files();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it->number == number) {
            table.erase(it); // the entry's handle closes as it goes
            return;
        }
    }
}

void close_all_files() noexcept
{
    std::vector<OpenFile>& table = open_files();
    for (OpenFile& file : table) {
        file.handle.close();
    }
    table.clear();
}

bool replace_file(std::string_view source, std::string_view target, SystemFailure* failure)
{
    const Text from = path_text(source);
    const Text to = path_text(target);
    BOOL moved = FALSE;
    DWORD error = 0;
    {
        RedirectionOff native_paths;
        moved = MoveFileExA(from.get(), to.get(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        error = GetLastError();
    }
    if (!moved) {
        record_failure(failure, target, error);
    }
    return moved != 0;
}

Text temporary_path_beside(std::string_view path)
{
    char suffix[32];
    wsprintfA(suffix, ".%lu.tmp", static_cast<unsigned long>(GetCurrentProcessId()));
    return join({path, suffix});
}

bool remove_file(std::string_view path, SystemFailure* failure)
{
    const Text name = path_text(path);
    BOOL removed = FALSE;
    DWORD error = 0;
    {
        RedirectionOff native_paths;
        removed = DeleteFileA(name.get());
        error = GetLastError();
    }
    if (!removed) {
        record_failure(failure, path, error);
    }
    return removed != 0;
}

} // namespace adsl
