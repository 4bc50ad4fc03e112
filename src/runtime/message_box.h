// The message box operation: a standard Windows message box, task-modal,
// with a fixed default title.
#pragma once

#include <string_view>

namespace adsl {

// "信息：", used when no title is given.
inline constexpr std::string_view default_message_box_title = "\xD0\xC5\xCF\xA2\xA3\xBA";

// The style bits passed on: MB_TASKMODAL (0x2000) is added unless the type
// holds MB_SYSTEMMODAL (0x1000).
constexpr unsigned message_box_style(unsigned type) noexcept
{
    return (type & 0x1000u) != 0 ? type : type | 0x2000u;
}

// Shows `message` with the style bits of `type` (MB_TASKMODAL added unless
// MB_SYSTEMMODAL is there) and no owner. Answers the button id minus one,
// or 0 when the box cannot be shown.
int message_box(std::string_view message, unsigned type = 0,
                std::string_view title = default_message_box_title);

} // namespace adsl
