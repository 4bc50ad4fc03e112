// The fatal error dialog's text, byte for byte.
#include "runtime/fatal.h"
#include "support/bytes.h"
#include "support/fatal_text.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>


namespace adsl {
namespace {

using test::fatal_dialog_text;
using test::out_of_memory_message;
using test::show;

const std::string heading = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
const std::string code_label = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";
const std::string message_label = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";

TEST(FatalErrorText, DialogTextFromItsPieces)
{
    const std::string above(run_time_error_message(RunTimeError::index_above_count));
    const std::string below(run_time_error_message(RunTimeError::index_below_one));
    const std::string oom = out_of_memory_message(1024);
    struct Case {
        const char* name;
        std::string message;
        int code;
        std::string expected;
    } const cases[] = {
        {"code 1", above, 1, heading + code_label + "1\r\n\r\n" + message_label + above + "\r\n"},
        {"code 4", below, 4, heading + code_label + "4\r\n\r\n" + message_label + below + "\r\n"},
        {"code 0, empty message", "", 0, heading},
        {"negative code, no message", "", -12, heading + code_label + "-12\r\n\r\n"},
        {"out of memory", oom, 0,
         heading + message_label + "\xB7\xD6\xC5\xE4 1024 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n"},
    };
    for (const Case& c : cases) {
        const std::string got = fatal_dialog_text(c.message, c.code);
        EXPECT_EQ(got, c.expected) << c.name << ": expected " << show(c.expected) << ", got " << show(got);
    }
}

TEST(FatalErrorText, FormatIntoASmallBufferCutsAndEndsWithZero)
{
    const std::string full = heading + code_label + "1\r\n\r\n";
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    const std::size_t length = format_fatal_error_text(buffer, sizeof buffer, "", 1);
    EXPECT_EQ(length, full.size()) << "the answer is the whole length";
    EXPECT_EQ(std::string(buffer), full.substr(0, 7)) << "got " << show(std::string(buffer, 7));
}

TEST(FatalErrorText, MessagesOfTheRunTimeErrorCodes)
{
    struct Case {
        RunTimeError code;
        std::string expected;
    } const cases[] = {
        {RunTimeError::index_above_count,
         "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6"
         "\xCE\xA7"},
        {RunTimeError::index_below_one,
         "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8"
         "\xD3\xDA"
         "1"},
        {RunTimeError::none, ""},
    };
    for (const Case& c : cases) {
        const std::string_view got = run_time_error_message(c.code);
        EXPECT_EQ(got, c.expected) << "code " << static_cast<int>(c.code) << ": expected " << show(c.expected)
                                   << ", got " << show(got);
    }
}

} // namespace
} // namespace adsl

#if !defined(_WIN32)

namespace adsl {
namespace {

using test::gbk_to_utf8;

// The GBK constants, read back through the C library's own GBK table, say
// what their comments say.
TEST(FatalErrorText, GbkConstantsReadAsIntended)
{
    const std::string oom = out_of_memory_message(1024);
    const std::string heading_only = fatal_dialog_text("", 0);
    const std::string labels = fatal_dialog_text("x", 7);
    struct Case {
        std::string gbk;
        std::string utf8;
    } const cases[] = {
        {std::string(run_time_error_message(RunTimeError::index_above_count)), "数组成员引用下标超出定义范围"},
        {std::string(run_time_error_message(RunTimeError::index_below_one)), "数组成员引用下标必须大于等于1"},
        {oom, "分配 1024 字节内存失败!"},
        {heading_only, "运行时出错!\r\n\r\n"},
        {labels, "运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：x\r\n"},
    };
    for (const Case& c : cases) {
        const std::string got = gbk_to_utf8(c.gbk);
        EXPECT_EQ(got, c.utf8) << "expected " << c.utf8 << ", got " << got;
    }
}

} // namespace
} // namespace adsl
#endif
