// The four configurator actions, bound to the window's created event and
// to the clicks of its three buttons.
#pragma once

namespace adsl {

// The window has been created, hidden: fill the three boxes from the
// script; a script that cannot be read is reported and left as it is.
void load_action();
// 确定: check the values, write the dial-up script, register it and end
// the program; a refusal or a failure is shown and the window stays open.
void save_action();
// 重置: empty the three boxes.
void reset_action();
// 取消: end the program without changing anything.
[[noreturn]] void cancel_action();

} // namespace adsl
