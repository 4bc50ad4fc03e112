// Reads GBK bytes as UTF-8 through the C library's own tables, so that a
// test can compare a text of the program with what a person reads.
#pragma once

#if !defined(_WIN32)
#include <iconv.h>

#include <string>
#include <string_view>

namespace adsl::test {

inline std::string gbk_to_utf8(std::string_view gbk)
{
    iconv_t convert = iconv_open("UTF-8", "GBK");
    if (convert == reinterpret_cast<iconv_t>(-1)) {
        return "(no GBK converter)";
    }
    std::string in(gbk);
    std::string out(in.size() * 3 + 4, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t from_left = in.size();
    std::size_t to_left = out.size();
    const std::size_t done = iconv(convert, &from, &from_left, &to, &to_left);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1)) {
        return "(not GBK)";
    }
    out.resize(out.size() - to_left);
    return out;
}

} // namespace adsl::test
#endif
