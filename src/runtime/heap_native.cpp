// The heap's allocator on hosts other than Windows: the C allocator.
#include "runtime/heap_backend.h"

#include <cstdlib>

namespace adsl {

void* backend_take(std::size_t bytes) noexcept { return std::malloc(bytes); }

void* backend_resize(void* block, std::size_t bytes) noexcept { return std::realloc(block, bytes); }

void backend_release(void* block) noexcept { std::free(block); }

} // namespace adsl
