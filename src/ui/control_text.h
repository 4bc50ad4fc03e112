// The control text property: the whole text of an edit box of a loaded
// window, read as a new Text and written whole. The actions use it to fill
// and read the three boxes.
#pragma once

#include "runtime/text.h"
#include "ui/window_description.h"

#include <string_view>

namespace adsl {

// A new Text holding the box's current text (the password box's real text,
// not its mask); the absent text when the box is empty.
Text read_control_text(WindowId window, ControlId control);

// Makes `text` the box's whole content, every time (the box raises content
// changed once per write); the empty text empties it.
void write_control_text(WindowId window, ControlId control, std::string_view text);

// Gives the keyboard focus to the control.
void focus_control(WindowId window, ControlId control);

} // namespace adsl
