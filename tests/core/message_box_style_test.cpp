// The style that the message box operation hands to Windows.
#include "runtime/message_box.h"

#include <gtest/gtest.h>

namespace adsl {
namespace {

TEST(MessageBoxStyle, TaskModalUnlessSystemModal)
{
    struct Case {
        unsigned type;
        unsigned expected;
    } const cases[] = {
        {0x0000, 0x2000}, // MB_OK: task-modal added
        {0x0030, 0x2030}, // MB_ICONWARNING
        {0x0010, 0x2010}, // MB_ICONERROR
        {0x1000, 0x1000}, // MB_SYSTEMMODAL stays as it is
        {0x1030, 0x1030},
        {0x2000, 0x2000}, // already task-modal
    };
    for (const Case& c : cases) {
        EXPECT_EQ(message_box_style(c.type), c.expected)
            << "type 0x" << std::hex << c.type << ": expected 0x" << c.expected << ", got 0x"
            << message_box_style(c.type);
    }
}

} // namespace
} // namespace adsl
