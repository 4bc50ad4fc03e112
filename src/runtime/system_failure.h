// What a failed Windows call leaves for the caller who wants to tell the
// user: the error code and the system's own wording of it.
#pragma once

#include "runtime/text.h"

namespace adsl {

struct SystemFailure {
    Text subject;           // the path or registry key that the failed call was about
    unsigned long code = 0; // the Windows error code (GetLastError)
    Text reason;            // FormatMessageA in the system's language, no final line end
};

// Whether the failure is a refused access (ERROR_ACCESS_DENIED): the
// program may need to run as administrator.
inline bool is_access_denied(const SystemFailure& failure) noexcept
{
    return failure.code == 5;
}

} // namespace adsl
