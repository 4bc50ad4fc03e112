// The heap's allocator on Windows: the process heap, without flags, so that
// new bytes are not cleared.
#include "runtime/heap_backend.h"

#include <windows.h>

namespace adsl {

void* backend_take(std::size_t bytes) noexcept { return HeapAlloc(GetProcessHeap(), 0, bytes); }

void* backend_resize(void* block, std::size_t bytes) noexcept
{
    return HeapReAlloc(GetProcessHeap(), 0, block, bytes);
}

void backend_release(void* block) noexcept { HeapFree(GetProcessHeap(), 0, block); }

} // namespace adsl
