// Helpers that make test failures readable: bytes are shown as a C string
// literal, with every byte outside printable ASCII as a hex escape.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace adsl::test {

inline std::string show(std::string_view bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        }
    }
    return out + "\"";
}

// A member as a test expects it: nullopt stands for the absent text.
using Member = std::optional<std::string>;

inline std::string show_member(const Member& member)
{
    return member ? show(std::string_view(*member)) : std::string("(absent)");
}

inline std::string show_members(const std::vector<Member>& members)
{
    std::string out = "{";
    for (std::size_t i = 0; i < members.size(); ++i) {
        out += (i ? ", " : "") + show_member(members[i]);
    }
    return out + "}";
}

} // namespace adsl::test
