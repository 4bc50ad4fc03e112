// The save's check of the three values before anything is written.
#include "config/dial_script.h"
#include "config/settings_check.h"
#include "support/bytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace adsl {
namespace {

using test::show;

const char* field_name(SettingsField field)
{
    switch (field) {
    case SettingsField::none:
        return "none";
    case SettingsField::connection_name:
        return "connection name";
    case SettingsField::user_name:
        return "user name";
    case SettingsField::password:
        return "password";
    }
    return "?";
}

const std::string connection_label = "\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6"; // 连接名称
const std::string user_label = "\xD3\xC3\xBB\xA7\xC3\xFB";               // 用户名
const std::string password_label = "\xC3\xDC\xC2\xEB";                    // 密码

struct CheckCase {
    const char* name;
    std::string connection, user, password;
    SettingsField refused;
    std::string message_contains; // a piece the message must hold
};

const CheckCase check_cases[] = {
    // Accepted.
    {"plain values", "ADSL", "user01", "secret", SettingsField::none, ""},
    {"blanks, & ! ( ) inside the connection name", "My Net & (home)!", "u", "p", SettingsField::none, ""},
    {"< > | ^ inside the connection name", "a<b>c|d^e", "u", "p", SettingsField::none, ""},
    {"GBK trail bytes 0x5C 0x5E 0x7C", "\xD7\x5C\xC8\x5E\xB1\x7C", "\xD7\x7C", "\xC8\x5E", SettingsField::none, ""},
    {"trail byte 0x5C ends the name", "\xCE\x5C", "u", "p", SettingsField::none, ""},
    {"user name and password both empty", "ADSL", "", "", SettingsField::none, ""},
    {"! and ( ) in credentials", "N", "a!b", "(p)", SettingsField::none, ""},
    // Refused in every value.
    {"quote in the connection name", "a\"b", "u", "p", SettingsField::connection_name, connection_label + "\xB2\xBB"},
    {"percent in the connection name", "100%", "u", "p", SettingsField::connection_name, "\xA1\xB0%\xA1\xB1"},
    {"tab in the connection name", "a\tb", "u", "p", SettingsField::connection_name, connection_label},
    {"quote in the user name", "N", "a\"", "p", SettingsField::user_name, user_label},
    {"percent in the password", "N", "u", "%PATH%", SettingsField::password, password_label},
    {"line feed in the password", "N", "u", "p\nq", SettingsField::password, password_label},
    {"incomplete character at the end", "N\xB0", "u", "p", SettingsField::connection_name, connection_label},
    {"incomplete character in the user name", "N", "u\xB0", "p", SettingsField::user_name, user_label},
    // Refused in the connection name.
    {"empty connection name", "", "u", "p", SettingsField::connection_name, connection_label},
    {"final backslash", "net\\", "u", "p", SettingsField::connection_name, "\\"},
    // Refused in the credentials.
    {"blank in the user name", "N", "a b", "p", SettingsField::user_name, user_label},
    {"blank in the password", "N", "u", "p q", SettingsField::password, password_label},
    {"& in the user name", "N", "a&calc", "p", SettingsField::user_name, "\xA1\xB0&\xA1\xB1"},
    {"| in the password", "N", "u", "a|b", SettingsField::password, "\xA1\xB0|\xA1\xB1"},
    {"< in the password", "N", "u", "<p", SettingsField::password, "\xA1\xB0<\xA1\xB1"},
    {"> in the user name", "N", "u>", "p", SettingsField::user_name, "\xA1\xB0>\xA1\xB1"},
    {"^ in the password", "N", "u", "p^", SettingsField::password, "\xA1\xB0^\xA1\xB1"},
    // Pairs.
    {"user name without password", "N", "u", "", SettingsField::password, password_label},
    {"password without user name", "N", "", "p", SettingsField::user_name, user_label},
};

TEST(SettingsCheck, TableOfValues)
{
    for (const CheckCase& c : check_cases) {
        SettingsCheck got;
        got.refused = SettingsField::password;
        got.message = Text::copy_of("(unwritten)");
        got = check_settings(c.connection, c.user, c.password);
        EXPECT_EQ(got.refused, c.refused) << c.name << ": expected " << field_name(c.refused) << ", got "
                                          << field_name(got.refused) << " (" << show(got.message.view()) << ")";
        if (c.refused == SettingsField::none) {
            EXPECT_TRUE(got.message.absent()) << c.name << ": message " << show(got.message.view());
        } else {
            EXPECT_NE(got.message.view().find(c.message_contains), std::string_view::npos)
                << c.name << ": expected the message to hold " << show(c.message_contains) << ", got "
                << show(got.message.view());
        }
    }
}

// Every accepted triple comes back unchanged from its script.
TEST(SettingsCheck, AcceptedValuesSurviveTheScript)
{
    const std::string alphabet = "aZ09 \"%&|<>^\\!()\t.-_@";
    constexpr unsigned seed = 936;
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> length_of(0, 6);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() + 3);
    const auto value = [&] {
        std::string v;
        for (std::size_t n = length_of(random); n > 0; --n) {
            const std::size_t k = pick(random);
            if (k < alphabet.size()) {
                v += alphabet[k];
            } else {
                // GBK characters with trail bytes that look like ASCII specials.
                static const char* const gbk[] = {"\xD7\x5C", "\xC8\x5E", "\xB1\x7C", "\xBF\xED"};
                v += gbk[k - alphabet.size()];
            }
        }
        return v;
    };
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string name = value();
        const std::string user = value();
        const std::string password = value();
        if (check_settings(name, user, password).refused != SettingsField::none) {
            continue;
        }
        ++accepted;
        const Text line = compose_dial_line(name, user, password);
        const std::string script = "@echo off\r\n" + std::string(line.view()) + "\r\n";
        const Extraction got = extract_settings(script);
        ASSERT_EQ(static_cast<int>(got.error), 0) << "round " << round << ": " << show(script);
        ASSERT_EQ(got.settings.connection_name.view(), name) << "round " << round << ": " << show(script);
        ASSERT_EQ(got.settings.user_name.view(), user) << "round " << round << ": " << show(script);
        ASSERT_EQ(got.settings.password.view(), password) << "round " << round << ": " << show(script);
    }
    EXPECT_GT(accepted, 100) << "the generator hardly ever made an acceptable triple (seed " << seed << ")";
}

} // namespace
} // namespace adsl
