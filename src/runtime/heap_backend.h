// The platform's allocator behind the heap: answers nullptr when exhausted.
#pragma once

#include <cstddef>

namespace adsl {

void* backend_take(std::size_t bytes) noexcept;
void* backend_resize(void* block, std::size_t bytes) noexcept;
void backend_release(void* block) noexcept;

} // namespace adsl
