// Splitting, copying and joining texts, and the checked member access of
// text arrays.
#include "runtime/text.h"
#include "support/bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace adsl {
namespace {

using test::Member;
using test::show;
using test::show_members;

// The members of an array as the tests write them: nullopt for absent.
std::vector<Member> members_of(const TextArray& array)
{
    std::vector<Member> members;
    for (long k = 1; k <= array.count(); ++k) {
        const MemberLookup lookup = array.member(k);
        EXPECT_EQ(lookup.error, RunTimeError::none) << "member " << k << " of " << array.count();
        if (array.member_absent(k)) {
            EXPECT_TRUE(lookup.text.empty()) << "absent member " << k << " reads as " << show(lookup.text);
            members.emplace_back(std::nullopt);
        } else {
            EXPECT_FALSE(lookup.text.empty()) << "member " << k << " is an empty block, not absent";
            members.emplace_back(std::string(lookup.text));
        }
    }
    return members;
}

struct SplitCase {
    const char* name;
    std::string text;
    std::string separator;
    std::size_t limit;
    std::vector<Member> expected;
};

const std::nullopt_t absent = std::nullopt;

const SplitCase split_cases[] = {
    {"empty text, blank", "", " ", no_limit, {}},
    {"empty text, line end, limit 2", "", "\r\n", 2, {}},
    {"empty text, limit 1", "", "\"", 1, {}},
    {"no separator", "abc", " ", no_limit, {"abc"}},
    {"shorter than the separator", "a", "\r\n", no_limit, {"a"}},
    {"as long as the separator, not equal", "ab", "\r\n", no_limit, {"ab"}},
    {"leading blank", " a", " ", no_limit, {absent, "a"}},
    {"two blanks in a row", "a  b", " ", no_limit, {"a", absent, "b"}},
    {"final blank adds no member", "a b ", " ", no_limit, {"a", "b"}},
    {"a single blank", " ", " ", no_limit, {absent}},
    {"two blanks", "  ", " ", no_limit, {absent, absent}},
    {"blank, word, blank", " user ", " ", no_limit, {absent, "user"}},
    {"three lines, limit 2", "l1\r\nl2\r\nl3\r\n", "\r\n", 2, {"l1", "l2"}},
    {"two lines, no final line end", "l1\r\nl2", "\r\n", 2, {"l1", "l2"}},
    {"one line and a line end", "l1\r\n", "\r\n", 2, {"l1"}},
    {"limit 1 drops the rest", "a b c", " ", 1, {"a"}},
    {"limit reached at a final separator", "a b ", " ", 2, {"a", "b"}},
    {"limit not reached", "a b", " ", 5, {"a", "b"}},
    {"bare line feeds are no separator", "l1\nl2\n", "\r\n", 2, {"l1\nl2\n"}},
    {"separators do not overlap", "a\r\n\nb", "\r\n", no_limit, {"a", "\nb"}},
    {"letter case counts", "aXbxc", "x", no_limit, {"aXb", "c"}},
    {"multi-byte separator", "a--b----c", "--", no_limit, {"a", "b", absent, "c"}},
    {"quotes", "Rasdial \"n\" u p", "\"", no_limit, {"Rasdial ", "n", " u p"}},
    {"blank hidden as a trail byte", "\xB0\x20\x41", " ", no_limit, {"\xB0\x20\x41"}},
    {"lone lead byte at the end", "a \xB0", " ", no_limit, {"a", "\xB0"}},
    {"lone lead byte alone", "\xB0", " ", no_limit, {"\xB0"}},
    {"lead byte hides a line end's first byte", "a\xB0\r\nb\r\nc", "\r\n", no_limit, {"a\xB0\r\nb", "c"}},
    {"GBK trail bytes 0x5C, 0x7C, 0x5E", "\xD7\x7C \xC8\x5E \xB1\x5C", " ", no_limit,
     {"\xD7\x7C", "\xC8\x5E", "\xB1\x5C"}},
    {"trail byte equal to the separator", "\xD7\x7C|b", "|", no_limit, {"\xD7\x7C", "b"}},
    {"only the top bit decides", "\x80  \xFF  x", " ", no_limit, {"\x80 ", "\xFF ", "x"}},
    {"empty separator is never found", "a b", "", no_limit, {"a b"}},
};

TEST(Split, TableOfCases)
{
    for (const SplitCase& c : split_cases) {
        SCOPED_TRACE(c.name);
        const TextArray array = split(c.text, c.separator, c.limit);
        const std::vector<Member> got = members_of(array);
        EXPECT_EQ(got, c.expected) << "split(" << show(c.text) << ", " << show(c.separator) << ", limit "
                                   << c.limit << "): expected " << show_members(c.expected) << ", got " << show_members(got);
    }
}

TEST(Split, MembersShareNoStorageWithTheText)
{
    std::string text = "one two";
    const TextArray array = split(text, " ");
    text.assign(text.size(), 'x');
    const std::vector<Member> got = members_of(array);
    const std::vector<Member> expected = {"one", "two"};
    EXPECT_EQ(got, expected) << "expected " << show_members(expected) << ", got " << show_members(got);
}

TEST(Split, TakesOneBlockPerNonEmptyMemberAndOneForTheArray)
{
    const long before = heap_block_count();
    {
        const TextArray array = split("a  b", " ");
        EXPECT_EQ(heap_block_count() - before, 3) << "members \"a\", absent, \"b\" and the array";
    }
    EXPECT_EQ(heap_block_count(), before) << "blocks left after the array was released";
    const TextArray empty = split("", " ");
    EXPECT_EQ(heap_block_count(), before) << "the empty array takes no block";
}

TEST(TextArray, MemberAccessIsChecked)
{
    const TextArray array = split("a b", " ");
    const TextArray empty;
    struct Case {
        const TextArray* array;
        long index;
        RunTimeError expected;
    } const cases[] = {
        {&array, 1, RunTimeError::none},
        {&array, 2, RunTimeError::none},
        {&array, 3, RunTimeError::index_above_count},
        {&array, 0, RunTimeError::index_below_one},
        {&array, -1, RunTimeError::index_below_one},
        {&empty, 1, RunTimeError::index_above_count},
        {&empty, 0, RunTimeError::index_below_one},
    };
    for (const Case& c : cases) {
        const MemberLookup got = c.array->member(c.index);
        EXPECT_EQ(static_cast<int>(got.error), static_cast<int>(c.expected))
            << "member " << c.index << " of an array of " << c.array->count();
    }
}

TEST(TextArray, MoveLeavesTheSourceEmpty)
{
    const long before = heap_block_count();
    TextArray source = split("a b", " ");
    TextArray target = std::move(source);
    EXPECT_EQ(source.count(), 0) << "moved-from array"; // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(target.count(), 2) << "moved-to array";
    target = split("c", " ");
    EXPECT_EQ(heap_block_count() - before, 2) << "old members released on assignment";
}

TEST(ToText, EmptyGivesAbsentAndOtherTextsACopy)
{
    const Text none = to_text("");
    EXPECT_TRUE(none.absent()) << "to_text of the empty text";
    EXPECT_EQ(none.get(), nullptr) << "the absent text refers to no storage";
    EXPECT_EQ(none.length(), 0u) << "length of the absent text";

    const char quote[] = "\"";
    const Text copy = to_text(quote);
    ASSERT_FALSE(copy.absent()) << "to_text of a quote";
    EXPECT_NE(static_cast<const void*>(copy.get()), static_cast<const void*>(quote)) << "a copy, not the argument";
    EXPECT_EQ(copy.view(), "\"") << "got " << show(copy.view());
    EXPECT_EQ(copy.get()[1], '\0') << "the block ends with a zero byte";
}

TEST(Join, PutsPiecesTogetherAndIsNeverAbsent)
{
    const Text absent_text;
    struct Case {
        const char* name;
        std::initializer_list<std::string_view> pieces;
        std::string expected;
    } const cases[] = {
        {"absent between two texts", {"ab", absent_text.view(), "cd"}, "abcd"},
        {"only empty and absent", {"", absent_text.view(), ""}, ""},
        {"one piece", {"x"}, "x"},
        {"eight pieces", {"Rasdial ", "\"", "n", "\"", " ", "u", " ", "p"}, "Rasdial \"n\" u p"},
    };
    for (const Case& c : cases) {
        const Text got = join(c.pieces);
        EXPECT_FALSE(got.absent()) << c.name << ": join answered the absent text";
        EXPECT_EQ(got.view(), c.expected) << c.name << ": expected " << show(c.expected) << ", got "
                                          << show(got.view());
        ASSERT_NE(got.get(), nullptr) << c.name;
        EXPECT_EQ(got.get()[got.length()], '\0') << c.name << ": no terminating zero";
    }
}

} // namespace
} // namespace adsl
