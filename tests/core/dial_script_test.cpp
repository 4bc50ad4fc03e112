// Composing the script's second line and extracting the settings from a
// script's text.
#include "config/dial_script.h"
#include "support/bytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace adsl {
namespace {

using test::show;

// A script as the save action writes it.
std::string saved_script(std::string_view name, std::string_view user, std::string_view password)
{
    const Text line = compose_dial_line(name, user, password);
    return std::string(script_first_line) + "\r\n" + std::string(line.view()) + "\r\n";
}

TEST(ComposeDialLine, ExactBytes)
{
    struct Case {
        const char* name;
        std::string connection, user, password, expected;
    } const cases[] = {
        {"plain values", "ADSL", "user01", "secret", "Rasdial \"ADSL\" user01 secret"},
        {"all empty", "", "", "", "Rasdial \"\"  "},
        {"blanks and quote kept as typed", "my net", "a b", "p\"q", "Rasdial \"my net\" a b p\"q"},
        {"GBK text", "\xBF\xED\xB4\xF8", "\xD3\xC3", "\xC3\xDC", "Rasdial \"\xBF\xED\xB4\xF8\" \xD3\xC3 \xC3\xDC"},
    };
    for (const Case& c : cases) {
        const Text got = compose_dial_line(c.connection, c.user, c.password);
        EXPECT_FALSE(got.absent()) << c.name;
        EXPECT_EQ(got.view(), c.expected) << c.name << ": expected " << show(c.expected) << ", got "
                                          << show(got.view());
    }
}

struct ExtractCase {
    const char* name;
    std::string script;
    RunTimeError error;
    std::string connection, user, password;
};

const ExtractCase extract_cases[] = {
    {"saved values", "@echo off\r\nRasdial \"ADSL\" user01 secret\r\n", RunTimeError::none, "ADSL", "user01",
     "secret"},
    {"no final line end", "@echo off\r\nRasdial \"ADSL\" u p", RunTimeError::none, "ADSL", "u", "p"},
    {"third line ignored", "@echo off\r\nRasdial \"ADSL\" u p\r\nexit\r\n", RunTimeError::none, "ADSL", "u",
     "p"},
    {"any first line", "rem whatever \"x\" y z\r\nRasdial \"N\" u p\r\n", RunTimeError::none, "N", "u", "p"},
    {"empty first line", "\r\nRasdial \"N\" u p", RunTimeError::none, "N", "u", "p"},
    {"prefix before the quote ignored", "x\r\nanything\"N\" u p", RunTimeError::none, "N", "u", "p"},
    {"all empty", "@echo off\r\nRasdial \"\"  \r\n", RunTimeError::none, "", "", ""},
    {"empty connection name", "@echo off\r\nRasdial \"\" u p\r\n", RunTimeError::none, "", "u", "p"},
    {"empty user name", "@echo off\r\nRasdial \"N\"  p\r\n", RunTimeError::none, "N", "", "p"},
    {"empty password swaps", "@echo off\r\nRasdial \"N\" u \r\n", RunTimeError::none, "N", "", "u"},
    {"blank in user name", "@echo off\r\nRasdial \"N\" a b p\r\n", RunTimeError::none, "N", "b", "p"},
    {"blanks in connection name", "@echo off\r\nRasdial \"my home net\" u p\r\n", RunTimeError::none,
     "my home net", "u", "p"},
    {"GBK values", "@echo off\r\nRasdial \"\xBF\xED\xB4\xF8\" \xD3\xC3 \xC3\xDC\r\n", RunTimeError::none,
     "\xBF\xED\xB4\xF8", "\xD3\xC3", "\xC3\xDC"},
    {"quote inside the tail", "@echo off\r\nRasdial \"N\" u p\"q\r\n", RunTimeError::none, "N", "u", "p"},
    {"empty text", "", RunTimeError::index_above_count, "", "", ""},
    {"one line", "@echo off", RunTimeError::index_above_count, "", "", ""},
    {"one line and its line end", "@echo off\r\n", RunTimeError::index_above_count, "", "", ""},
    {"bare line feeds", "@echo off\nRasdial \"N\" u p\n", RunTimeError::index_above_count, "", "", ""},
    {"no quote", "@echo off\r\nRasdial N u p\r\n", RunTimeError::index_above_count, "", "", ""},
    {"one quote", "@echo off\r\nRasdial \"N u p\r\n", RunTimeError::index_above_count, "", "", ""},
    {"ends after the second quote", "@echo off\r\nRasdial \"N\"\r\n", RunTimeError::index_above_count, "", "",
     ""},
    {"third quote right after the second", "@echo off\r\nRasdial \"N\"\"x y\r\n", RunTimeError::index_below_one,
     "", "", ""},
    {"a single blank after the quote", "@echo off\r\nRasdial \"N\" \r\n", RunTimeError::index_below_one, "", "",
     ""},
    {"a word without a blank", "@echo off\r\nRasdial \"N\"word\r\n", RunTimeError::index_below_one, "", "", ""},
    {"a word and a final blank", "@echo off\r\nRasdial \"N\"word \r\n", RunTimeError::index_below_one, "", "",
     ""},
};

TEST(ExtractSettings, TableOfScripts)
{
    for (const ExtractCase& c : extract_cases) {
        SCOPED_TRACE(c.name);
        Extraction got;
        got.settings.connection_name = Text::copy_of("(unwritten)");
        got.settings.user_name = Text::copy_of("(unwritten)");
        got.settings.password = Text::copy_of("(unwritten)");
        got = extract_settings(c.script);
        EXPECT_EQ(static_cast<int>(got.error), static_cast<int>(c.error)) << "script " << show(c.script);
        if (c.error != RunTimeError::none) {
            EXPECT_TRUE(got.settings.connection_name.absent()) << "settings after an error";
            continue;
        }
        EXPECT_EQ(got.settings.connection_name.view(), c.connection)
            << "connection name: expected " << show(c.connection) << ", got "
            << show(got.settings.connection_name.view());
        EXPECT_EQ(got.settings.user_name.view(), c.user)
            << "user name: expected " << show(c.user) << ", got " << show(got.settings.user_name.view());
        EXPECT_EQ(got.settings.password.view(), c.password)
            << "password: expected " << show(c.password) << ", got " << show(got.settings.password.view());
    }
}

TEST(ExtractSettings, EmptyValuesComeBackAbsent)
{
    const Extraction got = extract_settings(saved_script("", "", ""));
    ASSERT_EQ(static_cast<int>(got.error), 0);
    EXPECT_TRUE(got.settings.connection_name.absent()) << "connection name";
    EXPECT_TRUE(got.settings.user_name.absent()) << "user name";
    EXPECT_TRUE(got.settings.password.absent()) << "password";
}

TEST(ExtractSettings, ReleasesEveryBlockItTook)
{
    const long before = heap_block_count();
    {
        const Extraction kept = extract_settings(saved_script("N", "u", "p"));
        EXPECT_EQ(heap_block_count() - before, 3) << "only the three values remain";
        const Extraction failed = extract_settings("@echo off\r\nRasdial \"N\" \r\n");
        EXPECT_EQ(heap_block_count() - before, 3) << "a failed extraction keeps nothing";
    }
    EXPECT_EQ(heap_block_count(), before) << "after the settings were released";
}

// A value of printable ASCII other than the blank and the double quote, and
// of GBK two-byte characters (trail bytes 0x40 to 0xFE but 0x7F).
std::string random_value(std::mt19937& random, bool with_gbk, std::size_t min_length)
{
    std::uniform_int_distribution<std::size_t> length_of(min_length, 12);
    std::uniform_int_distribution<int> ascii(0x21, 0x7E);
    std::uniform_int_distribution<int> lead(0x81, 0xFE);
    std::uniform_int_distribution<int> trail(0x40, 0xFE);
    std::bernoulli_distribution two_byte(with_gbk ? 0.5 : 0.0);
    std::string value;
    const std::size_t characters = length_of(random);
    for (std::size_t i = 0; i < characters; ++i) {
        if (two_byte(random)) {
            int t = trail(random);
            if (t == 0x7F) {
                t = 0x7E;
            }
            value += static_cast<char>(lead(random));
            value += static_cast<char>(t);
        } else {
            int c = ascii(random);
            if (c == '"') {
                c = '!';
            }
            value += static_cast<char>(c);
        }
    }
    return value;
}

TEST(ExtractSettings, RoundTripOfGeneratedValues)
{
    constexpr unsigned seed = 20261211;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        const bool with_gbk = round % 2 == 1;
        // The password must not be empty: an empty one cannot come back.
        const std::string name = random_value(random, with_gbk, 0);
        const std::string user = random_value(random, with_gbk, 0);
        const std::string password = random_value(random, with_gbk, 1);
        const std::string script = saved_script(name, user, password);
        const Extraction got = extract_settings(script);
        ASSERT_EQ(static_cast<int>(got.error), 0) << "seed " << seed << ", round " << round << ", script "
                                                  << show(script);
        ASSERT_EQ(got.settings.connection_name.view(), name) << "round " << round << ", script " << show(script);
        ASSERT_EQ(got.settings.user_name.view(), user) << "round " << round << ", script " << show(script);
        ASSERT_EQ(got.settings.password.view(), password) << "round " << round << ", script " << show(script);
    }
}

} // namespace
} // namespace adsl
