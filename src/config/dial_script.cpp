#include "config/dial_script.h"

namespace adsl {

Text compose_dial_line(std::string_view connection_name, std::string_view user_name,
                       std::string_view password)
{
    return join({"Rasdial ", "\"", connection_name, "\"", " ", user_name, " ", password});
}

Extraction extract_settings(std::string_view script_text)
{
    Extraction result;

    const TextArray lines = split(script_text, "\r\n", 2);
    const MemberLookup second_line = lines.member(2);
    if (second_line.error != RunTimeError::none) {
        result.error = second_line.error;
        return result;
    }

    const TextArray quoted_parts = split(second_line.text, "\"");
    const MemberLookup tail = quoted_parts.member(3);
    if (tail.error != RunTimeError::none) {
        result.error = tail.error;
        return result;
    }

    const TextArray words = split(tail.text, " ");
    // Member 2 exists whenever member 3 does.
    const MemberLookup connection_name = quoted_parts.member(2);
    const MemberLookup user_name = words.member(words.count() - 1);
    if (user_name.error != RunTimeError::none) {
        result.error = user_name.error;
        return result;
    }
    const MemberLookup password = words.member(words.count());

    result.settings.connection_name = to_text(connection_name.text);
    result.settings.user_name = to_text(user_name.text);
    result.settings.password = to_text(password.text);
    return result;
}

} // namespace adsl
