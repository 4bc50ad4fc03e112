#include "runtime/text.h"

#include <cstring>
#include <utility>

namespace adsl {

Text Text::copy_of(std::string_view bytes)
{
    HeapBlock block(heap_take(bytes.size() + 1));
    char* out = static_cast<char*>(block.get());
    if (!bytes.empty()) {
        std::memcpy(out, bytes.data(), bytes.size());
    }
    out[bytes.size()] = '\0';
    return adopt(std::move(block), bytes.size());
}

Text Text::adopt(HeapBlock block, std::size_t length) noexcept
{
    Text text;
    text.block_ = std::move(block);
    text.length_ = text.absent() ? 0 : length;
    return text;
}

TextArray::TextArray(TextArray&& other) noexcept
    : slots_(std::move(other.slots_)), count_(other.count_), capacity_(other.capacity_)
{
    other.count_ = 0;
    other.capacity_ = 0;
}

TextArray& TextArray::operator=(TextArray&& other) noexcept
{
    if (this != &other) {
        release_members();
        slots_ = std::move(other.slots_);
        count_ = other.count_;
        capacity_ = other.capacity_;
        other.count_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

TextArray::~TextArray() { release_members(); }

void TextArray::release_members() noexcept
{
    const Slot* slots = static_cast<const Slot*>(slots_.get());
    for (std::size_t i = 0; i < count_; ++i) {
        heap_release(slots[i].bytes);
    }
    count_ = 0;
}

MemberLookup TextArray::member(long k) const noexcept
{
    if (k < 1) {
        return {{}, RunTimeError::index_below_one};
    }
    if (static_cast<unsigned long>(k) > count_) {
        return {{}, RunTimeError::index_above_count};
    }
    const Slot& slot = static_cast<const Slot*>(slots_.get())[k - 1];
    if (slot.bytes == nullptr) {
        return {};
    }
    return {std::string_view(slot.bytes, slot.length), RunTimeError::none};
}

bool TextArray::member_absent(long k) const noexcept
{
    if (k < 1 || static_cast<unsigned long>(k) > count_) {
        return false;
    }
    return static_cast<const Slot*>(slots_.get())[k - 1].bytes == nullptr;
}

void TextArray::append(std::string_view piece)
{
    if (count_ == capacity_) {
        const std::size_t grown = capacity_ == 0 ? 4 : capacity_ * 2;
        slots_.resize(grown * sizeof(Slot));
        capacity_ = grown;
    }
    Slot slot{nullptr, 0};
    if (!piece.empty()) {
        slot.bytes = static_cast<char*>(heap_take(piece.size() + 1));
        std::memcpy(slot.bytes, piece.data(), piece.size());
        slot.bytes[piece.size()] = '\0';
        slot.length = piece.size();
    }
    static_cast<Slot*>(slots_.get())[count_] = slot;
    ++count_;
}

TextArray split(std::string_view text, std::string_view separator, std::size_t limit)
{
    TextArray pieces;
    const std::size_t length = text.size();
    const std::size_t sep_length = separator.size();
    if (length == 0) {
        return pieces;
    }
    if (sep_length == 0 || length < sep_length) {
        pieces.append(text);
        return pieces;
    }

    std::size_t remaining = limit; // the literal countdown: 0 never reaches 0 again
    std::size_t start = 0;
    std::size_t cursor = 0;
    while (length - cursor >= sep_length) {
        if (text.compare(cursor, sep_length, separator) == 0) {
            pieces.append(text.substr(start, cursor - start));
            cursor += sep_length;
            start = cursor;
            if (limit != no_limit && --remaining == 0) {
                return pieces; // the rest of the text is dropped
            }
            continue;
        }
        if (static_cast<unsigned char>(text[cursor]) >= 0x80) {
            if (cursor + 1 == length) {
                break; // a lone lead byte right before the end
            }
            cursor += 2;
        } else {
            cursor += 1;
        }
    }
    if (start < length) {
        pieces.append(text.substr(start));
    }
    return pieces;
}

Text to_text(std::string_view text)
{
    if (text.empty()) {
        return Text();
    }
    return Text::copy_of(text);
}

Text join(std::initializer_list<std::string_view> pieces)
{
    std::size_t total = 0;
    for (std::string_view piece : pieces) {
        total += piece.size();
    }
    HeapBlock block(heap_take(total + 1));
    char* out = static_cast<char*>(block.get());
    std::size_t at = 0;
    for (std::string_view piece : pieces) {
        if (!piece.empty()) {
            std::memcpy(out + at, piece.data(), piece.size());
            at += piece.size();
        }
    }
    out[at] = '\0';
    return Text::adopt(std::move(block), total);
}

} // namespace adsl
