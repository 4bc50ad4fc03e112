// The configurator's edit boxes: one-line "EDIT" controls with a sunken
// client edge whose text line stays in the vertical middle of the box.
#pragma once

#include "ui/window_description.h"

#include <windows.h>

namespace adsl {

// Creates the edit box of `record` as child `identifier` of `parent`;
// nullptr on failure. The parent answers WM_CTLCOLOREDIT with the box's
// colours and background brush.
HWND create_edit_box(HWND parent, int identifier, const ElementRecord& record, DWORD tab_stop,
                     HINSTANCE instance);

} // namespace adsl
