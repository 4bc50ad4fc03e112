// The texts of the fatal error dialog, built from their fixed pieces.
#include "runtime/fatal.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace adsl {
namespace {

constexpr std::string_view heading = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n"; // 运行时出错!
constexpr std::string_view code_label = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";      // 错误代码：
constexpr std::string_view message_label = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";   // 错误信息：
// "分配 %d 字节内存失败!", around the number
constexpr std::string_view out_of_memory_before = "\xB7\xD6\xC5\xE4 ";
constexpr std::string_view out_of_memory_after = " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

// 数组成员引用下标超出定义范围
constexpr std::string_view index_above_count_message =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7";
// 数组成员引用下标必须大于等于1
constexpr std::string_view index_below_one_message =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA"
    "1";

// Copies the pieces into `out` as far as they fit; answers the full length.
std::size_t put_pieces(char* out, std::size_t capacity, std::initializer_list<std::string_view> pieces) noexcept
{
    std::size_t total = 0;
    for (std::string_view piece : pieces) {
        if (!piece.empty() && capacity > 0 && total < capacity - 1) {
            const std::size_t room = capacity - 1 - total;
            std::memcpy(out + total, piece.data(), piece.size() < room ? piece.size() : room);
        }
        total += piece.size();
    }
    if (capacity > 0) {
        out[total < capacity - 1 ? total : capacity - 1] = '\0';
    }
    return total;
}

} // namespace

std::string_view run_time_error_message(RunTimeError code) noexcept
{
    switch (code) {
    case RunTimeError::index_above_count:
        return index_above_count_message;
    case RunTimeError::index_below_one:
        return index_below_one_message;
    case RunTimeError::none:
        break;
    }
    return {};
}

std::size_t format_fatal_error_text(char* out, std::size_t capacity, std::string_view message, int code) noexcept
{
    char number[16] = "";
    std::string_view code_line_label;
    std::string_view code_line_end;
    if (code != 0) {
        std::snprintf(number, sizeof number, "%d", code);
        code_line_label = code_label;
        code_line_end = "\r\n\r\n";
    }
    std::string_view message_line_label;
    std::string_view message_line_end;
    if (!message.empty()) {
        message_line_label = message_label;
        message_line_end = "\r\n";
    }
    return put_pieces(out, capacity,
                      {heading, code_line_label, number, code_line_end, message_line_label, message, message_line_end});
}

std::size_t format_out_of_memory_message(char* out, std::size_t capacity, std::size_t bytes) noexcept
{
    // Printed unsigned, so that a request above 2 GiB does not show as a
    // negative number.
    char number[24];
    std::snprintf(number, sizeof number, "%zu", bytes);
    return put_pieces(out, capacity, {out_of_memory_before, number, out_of_memory_after});
}

} // namespace adsl
