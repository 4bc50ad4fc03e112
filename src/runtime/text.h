// Texts and text arrays: the values that the configurator passes around.
//
// A Text is a zero-ended run of bytes in the system code page, held in a
// heap block of its own. The absent text owns no block and reads as the
// empty text; split and to_text answer it wherever their result would be
// empty, so "no block" and "an empty block" stay distinguishable.
#pragma once

#include "runtime/heap.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace adsl {

class Text {
public:
    Text() noexcept = default; // the absent text
    Text(Text&&) noexcept = default;
    Text& operator=(Text&&) noexcept = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() = default;

    // Takes a new block holding `bytes` and a zero byte; never absent.
    static Text copy_of(std::string_view bytes);
    // Takes ownership of `block`, which holds `length` bytes and a zero.
    static Text adopt(HeapBlock block, std::size_t length) noexcept;

    bool absent() const noexcept { return block_.get() == nullptr; }
    std::size_t length() const noexcept { return length_; }
    // The zero-ended bytes, or nullptr for the absent text.
    const char* get() const noexcept { return static_cast<const char*>(block_.get()); }
    // The bytes without the zero; empty for the absent text.
    std::string_view view() const noexcept
    {
        return absent() ? std::string_view() : std::string_view(get(), length_);
    }

private:
    HeapBlock block_;
    std::size_t length_ = 0;
};

// The codes of a member access outside a text array.
enum class RunTimeError : int {
    none = 0,
    index_above_count = 1,
    index_below_one = 4,
};

// A member of a text array, or the error of a failed access.
struct MemberLookup {
    std::string_view text; // valid while the array lives; empty for an absent member
    RunTimeError error = RunTimeError::none;
};

// An ordered list of owned member texts, numbered from 1.
class TextArray {
public:
    TextArray() noexcept = default; // the empty array
    TextArray(TextArray&&) noexcept;
    TextArray& operator=(TextArray&&) noexcept;
    TextArray(const TextArray&) = delete;
    TextArray& operator=(const TextArray&) = delete;
    ~TextArray();

    long count() const noexcept { return static_cast<long>(count_); }
    // Member k, checked: below 1 answers index_below_one, above the count
    // index_above_count.
    MemberLookup member(long k) const noexcept;
    // Whether member k (1 to count) is an absent text.
    bool member_absent(long k) const noexcept;

    // Appends a copy of `piece`; an empty piece becomes an absent member
    // and takes no block.
    void append(std::string_view piece);

private:
    struct Slot {
        char* bytes; // a heap block, or nullptr for an absent member
        std::size_t length;
    };

    void release_members() noexcept;

    HeapBlock slots_;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
};

// The limit of `split` that produces any number of members.
inline constexpr std::size_t no_limit = 0;

// Cuts `text` at every `separator`, stepping over two-byte characters (a
// byte of 0x80 or above takes the next byte with it). With a limit, the
// split ends when that many separators have been found, and the rest of the
// text is dropped. A final separator adds no empty member; an empty text
// gives the empty array; an empty separator is never found.
TextArray split(std::string_view text, std::string_view separator, std::size_t limit = no_limit);

// A new copy of `text`; the empty text gives the absent text.
Text to_text(std::string_view text);

// One new block holding the pieces one after another; never absent.
Text join(std::initializer_list<std::string_view> pieces);

} // namespace adsl
