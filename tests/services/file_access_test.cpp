// Script file access against real files in the test's Wine prefix.
#include "runtime/files.h"
#include "support/bytes.h"
#include "support/win32_probes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace adsl {
namespace {

using test::show;

// A folder of its own under the temporary folder, removed afterwards.
class FileAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u) << "GetTempPathA failed, error " << GetLastError();
        folder_ = std::string(temp) + "adsl-files-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    void TearDown() override
    {
        close_all_files();
        for (const std::string& path : made_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str())) {
                RemoveDirectoryA(path.c_str());
            }
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string path(const std::string& name)
    {
        made_.push_back(folder_ + "\\" + name);
        return made_.back();
    }

    // Writes a file with exactly `bytes` outside the services.
    std::string make_file(const std::string& name, const std::string& bytes)
    {
        const std::string file = path(name);
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << "making " << file << ", error " << GetLastError();
        DWORD written = 0;
        if (!bytes.empty()) {
            WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
        CloseHandle(h);
        return file;
    }

    static std::string contents(const std::string& file) { return test::file_bytes(file.c_str(), "(cannot open)"); }

    std::string folder_;
    std::vector<std::string> made_;
};

TEST_F(FileAccess, ReadTextStopsAtTheRightBytes)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool absent;
        std::string text;
    } const cases[] = {
        {"empty file", "", true, ""},
        {"begins with a zero byte", std::string("\0abc", 4), true, ""},
        {"begins with Ctrl-Z", "\x1A" "abc", true, ""},
        {"zero byte after some text", std::string("abc\0def", 7), false, "abc"},
        {"Ctrl-Z after some text", "abc\x1A" "def", false, "abc"},
        {"Ctrl-Z as a trail byte", "a\xB0\x1A" "b", false, "a\xB0\x1A" "b"},
        {"zero byte as a trail byte", std::string("ab\xB0\0cd", 6), false, "ab"},
        {"ASCII with line ends", "@echo off\r\nRasdial \"N\" u p\r\n", false, "@echo off\r\nRasdial \"N\" u p\r\n"},
        {"lone lead byte at the end", "ab\xB0", false, "ab\xB0"},
        {"GBK text", "\xBF\xED\xB4\xF8\r\n", false, "\xBF\xED\xB4\xF8\r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string file = make_file("read" + std::to_string(n++) + ".bat", c.bytes);
        const FileNumber number = open_file(file, OpenMode::read_write);
        ASSERT_NE(number, 0u) << c.name << ": open failed";
        const Text got = read_text(number);
        EXPECT_EQ(got.absent(), c.absent) << c.name << ": absent? got " << show(got.view());
        EXPECT_EQ(got.view(), c.text) << c.name << ": expected " << show(c.text) << ", got " << show(got.view());
        close_file(number);
    }
}

TEST_F(FileAccess, FilePointerAfterAStop)
{
    // After the read, the pointer stands on the stop byte (or on the zero of
    // a two-byte character), else at the end: a line written next lands there.
    struct Case {
        const char* name;
        std::string bytes;
        std::string after_write;
    } const cases[] = {
        {"on Ctrl-Z", "abc\x1A" "def", "abcX\r\nf"},
        {"on the zero of a character", std::string("ab\xB0\0cd", 6), "ab\xB0X\r\n"},
        {"at the end when nothing stops", "abc", "abcX\r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string file = make_file("pointer" + std::to_string(n++) + ".bat", c.bytes);
        const FileNumber number = open_file(file);
        ASSERT_NE(number, 0u) << c.name;
        (void)read_text(number);
        ASSERT_TRUE(write_line(number, "X")) << c.name;
        close_file(number);
        const std::string after = contents(file);
        EXPECT_EQ(after, c.after_write) << c.name << ": expected " << show(c.after_write) << ", got " << show(after);
    }
}

TEST_F(FileAccess, ExistsTest)
{
    const std::string file = make_file("here.bat", "x");
    const std::string folder = path("folder.bat");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << "error " << GetLastError();
    struct Case {
        std::string path;
        bool expected;
    } const cases[] = {
        {file, true},
        {folder, true},
        {folder_ + "\\missing.bat", false},
        {folder_ + "\\her?.bat", true},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file_exists(c.path), c.expected) << "file_exists(" << show(c.path) << ")";
    }
}

TEST_F(FileAccess, UnknownNumbersGiveNeutralResults)
{
    const std::string file = make_file("keep.bat", "keep");
    const FileNumber open = open_file(file);
    ASSERT_NE(open, 0u);
    const FileNumber closed = open_file(make_file("closed.bat", "x"));
    close_file(closed);
    for (const FileNumber number : {FileNumber{0}, closed, FileNumber{0xDEADBEEF}}) {
        EXPECT_TRUE(read_text(number).absent()) << "read_text(" << number << ")";
        EXPECT_FALSE(write_line(number, "x")) << "write_line(" << number << ")";
        close_file(number);
    }
    EXPECT_EQ(read_text(open).view(), "keep") << "the open file was not touched";
    EXPECT_EQ(contents(file), "keep");
}

TEST_F(FileAccess, OpenFailsWithoutEntry)
{
    const std::string missing = folder_ + "\\missing.bat";
    SystemFailure failure;
    failure.code = 0xFFFF;
    EXPECT_EQ(open_file(missing, OpenMode::read_write, &failure), 0u) << "missing file, default mode";
    EXPECT_EQ(failure.code, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND)) << "reason " << show(failure.reason.view());
    EXPECT_EQ(failure.subject.view(), missing) << "the failure names the path";
    EXPECT_FALSE(failure.reason.absent()) << "FormatMessageA gave no wording";
    EXPECT_EQ(open_file(""), 0u) << "empty path";
    EXPECT_EQ(open_file(missing, OpenMode::read_only), 0u) << "missing file, read-only mode";
    EXPECT_FALSE(file_exists(missing)) << "no open mode but rewrite creates a file";
}

TEST_F(FileAccess, RewriteEmptiesAtOnceAndWritesLines)
{
    const std::string file = make_file("script.bat", "old contents");
    const FileNumber number = open_file(file, OpenMode::rewrite);
    ASSERT_NE(number, 0u);
    EXPECT_EQ(contents(file), "") << "mode 4 empties the file before any write";
    EXPECT_TRUE(write_line(number, "@echo off"));
    EXPECT_TRUE(write_line(number, ""));
    close_file(number);
    const std::string expected = "@echo off\r\n\r\n";
    EXPECT_EQ(contents(file), expected) << "expected " << show(expected) << ", got " << show(contents(file));

    const std::string created = path("new.bat");
    const FileNumber fresh = open_file(created, OpenMode::rewrite);
    EXPECT_NE(fresh, 0u) << "mode 4 creates a missing file";
    close_file(fresh);
    EXPECT_TRUE(file_exists(created));
}

TEST_F(FileAccess, SharingAndReadOnlyFiles)
{
    const std::string held = make_file("held.bat", "x");
    HANDLE exclusive = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    SystemFailure failure;
    EXPECT_EQ(open_file(held, OpenMode::read_write, &failure), 0u) << "file held without sharing";
    EXPECT_EQ(failure.code, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(open_file(held, OpenMode::read_only), 0u) << "file held without sharing, read-only";
    CloseHandle(exclusive);

    // Another holder that lets others read but not write: the default mode
    // (which asks for write access) fails, the read-only mode loads it.
    const std::string script = "@echo off\r\nRasdial \"N\" u p\r\n";
    const std::string shared = make_file("readshared.bat", script);
    HANDLE reader = CreateFileA(shared.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open_file(shared, OpenMode::read_write), 0u) << "write access to a file others may only read";
    const FileNumber number = open_file(shared, OpenMode::read_only);
    ASSERT_NE(number, 0u) << "read-only mode, error " << GetLastError();
    EXPECT_EQ(read_text(number).view(), script);
    SystemFailure write_failure;
    EXPECT_FALSE(write_line(number, "x", &write_failure)) << "writing through a read-only open";
    EXPECT_NE(write_failure.code, 0ul) << "the write failure has a code";
    close_file(number);
    CloseHandle(reader);
    EXPECT_EQ(contents(shared), script) << "the failed write changed the file";
}

TEST_F(FileAccess, ReadOnlyAttribute)
{
    const std::string script = "@echo off\r\nRasdial \"N\" u p\r\n";
    const std::string read_only = make_file("readonly.bat", script);
    ASSERT_TRUE(SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA(read_only.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        // Wine keeps the attribute as Unix permissions, which do not bind root.
        CloseHandle(probe);
        GTEST_SKIP() << "the read-only attribute does not stop writing here (Wine run as root)";
    }
    SystemFailure denied;
    EXPECT_EQ(open_file(read_only, OpenMode::read_write, &denied), 0u) << "read-only file, default mode";
    EXPECT_TRUE(is_access_denied(denied)) << "expected access denied, got code " << denied.code;
    const FileNumber number = open_file(read_only, OpenMode::read_only);
    ASSERT_NE(number, 0u) << "read-only file, read-only mode";
    EXPECT_EQ(read_text(number).view(), script);
    close_file(number);
}

TEST_F(FileAccess, CloseTwiceAndCloseAll)
{
    const std::string first = make_file("first.bat", "1");
    const std::string second = make_file("second.bat", "2");
    const FileNumber a = open_file(first);
    const FileNumber b = open_file(second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b) << "two open files share a number";
    close_file(a);
    close_file(a);
    EXPECT_EQ(read_text(b).view(), "2") << "closing a twice touched b";

    const FileNumber c = open_file(first);
    EXPECT_FALSE(DeleteFileA(second.c_str())) << "an open file (no delete sharing) can be deleted";
    close_all_files();
    EXPECT_TRUE(DeleteFileA(second.c_str())) << "after close all, error " << GetLastError();
    EXPECT_TRUE(DeleteFileA(first.c_str())) << "after close all, error " << GetLastError();
    EXPECT_TRUE(read_text(c).absent()) << "number of a file closed by close all";
}

TEST_F(FileAccess, ReplaceAndRemove)
{
    const std::string target = make_file("target.bat", "old");
    const std::string source = make_file("source.tmp", "new");
    EXPECT_TRUE(replace_file(source, target)) << "replace an existing file";
    EXPECT_EQ(contents(target), "new");
    EXPECT_FALSE(file_exists(source)) << "the source is gone after the move";

    const std::string folder = path("folder.bat");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string other = make_file("other.tmp", "x");
    SystemFailure failure;
    EXPECT_FALSE(replace_file(other, folder, &failure)) << "a directory cannot be replaced";
    EXPECT_EQ(failure.subject.view(), folder) << "the failure names the target";
    EXPECT_TRUE(file_exists(other)) << "the source stays after a failed move";

    EXPECT_TRUE(remove_file(other));
    EXPECT_FALSE(file_exists(other));
    SystemFailure gone;
    EXPECT_FALSE(remove_file(other, &gone)) << "removing a missing file";
    EXPECT_EQ(gone.code, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

} // namespace
} // namespace adsl
