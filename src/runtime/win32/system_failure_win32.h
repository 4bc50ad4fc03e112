// Fills a caller's SystemFailure from a failed Windows call.
#pragma once

#include "runtime/system_failure.h"

#include <windows.h>

#include <string_view>

namespace adsl {

// Records `subject` (the path or key), `code` and the system's wording of
// it; does nothing when `failure` is nullptr.
void record_failure(SystemFailure* failure, std::string_view subject, DWORD code);

} // namespace adsl
