// The one heap behind every text and text array.
//
// On Windows the blocks come from the process heap, natively from the C
// allocator. Taking a block never fails towards the caller: when the heap
// has nothing left, the out-of-memory routine receives the byte count and
// ends the program.
#pragma once

#include <cstddef>

namespace adsl {

// Never returns. Receives the number of bytes that the heap refused.
using OutOfMemoryRoutine = void (*)(std::size_t bytes);

// Takes a block of `bytes` bytes (at least one byte is always taken).
void* heap_take(std::size_t bytes);
// Grows or shrinks `block` to `bytes` bytes, keeping its contents.
void* heap_resize(void* block, std::size_t bytes);
// Takes a block that the caller can do without: answers nullptr when the
// heap refuses, without the out-of-memory routine.
void* heap_try_take(std::size_t bytes) noexcept;
// Gives a block back; nullptr is ignored.
void heap_release(void* block) noexcept;

// Installs the routine that an exhausted heap calls; answers the old one.
OutOfMemoryRoutine set_out_of_memory_routine(OutOfMemoryRoutine routine) noexcept;

// Test hooks. `heap_refuse_after(n)` lets the next n requests succeed and
// refuses every one after them, as an exhausted heap would; a negative n
// switches refusal off. `heap_block_count()` is the number of blocks taken
// and not yet given back.
void heap_refuse_after(long requests) noexcept;
long heap_block_count() noexcept;

// Owns one heap block and gives it back once.
class HeapBlock {
public:
    HeapBlock() noexcept = default;
    explicit HeapBlock(void* block) noexcept : block_(block) {}
    HeapBlock(HeapBlock&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    HeapBlock& operator=(HeapBlock&& other) noexcept
    {
        if (this != &other) {
            heap_release(block_);
            block_ = other.block_;
            other.block_ = nullptr;
        }
        return *this;
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    ~HeapBlock() { heap_release(block_); }

    void* get() const noexcept { return block_; }
    // Resizes the owned block; the old address is no longer valid.
    void resize(std::size_t bytes) { block_ = heap_resize(block_, bytes); }

private:
    void* block_ = nullptr;
};

} // namespace adsl
