#include "runtime/message_box.h"

#include "runtime/text.h"

#include <windows.h>

namespace adsl {

int message_box(std::string_view message, unsigned type, std::string_view title)
{
    const Text text = Text::copy_of(message);
    const Text caption = Text::copy_of(title);
    const int answer = MessageBoxA(nullptr, text.get(), caption.get(), message_box_style(type));
    return answer == 0 ? 0 : answer - 1;
}

} // namespace adsl
