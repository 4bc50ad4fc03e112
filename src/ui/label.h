// The configurator's labels: child windows of the program's own class that
// paint their text, yellow and centred, on the window's violet.
#pragma once

#include "ui/window_description.h"

#include <windows.h>

namespace adsl {

// Registers the label class (once) and creates the label of `record` as
// child `identifier` of `parent`; nullptr on failure.
HWND create_label(HWND parent, int identifier, const ElementRecord& record, HINSTANCE instance);

} // namespace adsl
