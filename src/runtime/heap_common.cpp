// The parts of the heap that do not depend on the platform: the refusal
// hook for tests, the block count and the out-of-memory routine.
#include "runtime/heap.h"
#include "runtime/heap_backend.h"

#include <cstdio>
#include <cstdlib>

namespace adsl {
namespace {

[[noreturn]] void end_on_out_of_memory(std::size_t bytes)
{
    std::fprintf(stderr, "out of memory: %zu bytes\n", bytes);
    std::exit(-1);
}

OutOfMemoryRoutine out_of_memory_routine = end_on_out_of_memory;
long requests_before_refusal = -1;
long live_blocks = 0;

// Counts down the refusal hook; answers whether this request is refused.
bool refuse_request() noexcept
{
    if (requests_before_refusal < 0) {
        return false;
    }
    if (requests_before_refusal == 0) {
        return true;
    }
    --requests_before_refusal;
    return false;
}

[[noreturn]] void report_out_of_memory(std::size_t bytes)
{
    out_of_memory_routine(bytes);
    // The routine must not return; if a faulty one does, stop here rather
    // than hand a null block to a caller that cannot check it.
    std::abort();
}

} // namespace

void* heap_take(std::size_t bytes)
{
    if (bytes == 0) {
        bytes = 1;
    }
    void* block = refuse_request() ? nullptr : backend_take(bytes);
    if (block == nullptr) {
        report_out_of_memory(bytes);
    }
    ++live_blocks;
    return block;
}

void* heap_try_take(std::size_t bytes) noexcept
{
    if (bytes == 0) {
        bytes = 1;
    }
    void* block = refuse_request() ? nullptr : backend_take(bytes);
    if (block != nullptr) {
        ++live_blocks;
    }
    return block;
}

void* heap_resize(void* block, std::size_t bytes)
{
    if (block == nullptr) {
        return heap_take(bytes);
    }
    if (bytes == 0) {
        bytes = 1;
    }
    void* resized = refuse_request() ? nullptr : backend_resize(block, bytes);
    if (resized == nullptr) {
        report_out_of_memory(bytes);
    }
    return resized;
}

void heap_release(void* block) noexcept
{
    if (block != nullptr) {
        --live_blocks;
        backend_release(block);
    }
}

OutOfMemoryRoutine set_out_of_memory_routine(OutOfMemoryRoutine routine) noexcept
{
    OutOfMemoryRoutine previous = out_of_memory_routine;
    out_of_memory_routine = routine != nullptr ? routine : end_on_out_of_memory;
    return previous;
}

void heap_refuse_after(long requests) noexcept { requests_before_refusal = requests; }

long heap_block_count() noexcept { return live_blocks; }

} // namespace adsl
