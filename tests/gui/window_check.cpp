// The configurator window built in this process from its description, with
// the program's own resources: the icons that the icon rule chooses, and the
// control text property on the real boxes (what is written is read back
// whole, an empty box reads as the absent text, every write is one change).
// Both are checked here because another process cannot ask for them.
#include "check.h"

#include "ui/configurator_window.h"
#include "ui/control_text.h"

#include <string>
#include <utility>

using namespace adsl;
using namespace adsl::test;

namespace {

int content_changes = 0;
ControlId changes_of = 0;

bool count_changes(WindowId, std::uint32_t element, int event_number)
{
    if (element == changes_of && event_number == event::content_changed) {
        ++content_changes;
    }
    return false;
}

void check_round_trip_at(int line, const char* name, ControlId box, std::string_view written)
{
    write_control_text(configurator_window_id, box, written);
    const Text read = read_control_text(configurator_window_id, box);
    if (written.empty()) {
        ok_at(line, read.absent(), "%s: expected the absent text, got %s of %zu bytes\n", name,
              read.absent() ? "absent" : "a block", read.length());
        return;
    }
    ok_at(line, !read.absent() && read.view() == written && read.get()[read.length()] == '\0',
          "%s: expected %zu bytes back, zero-ended, got %zu bytes%s\n", name, written.size(), read.length(),
          read.view() == written ? "" : " that differ");
}
#define check_round_trip(...) check_round_trip_at(__LINE__, __VA_ARGS__)

} // namespace

int main()
{
    current_group = "window_check";
    const WindowDescription& description = built_in_window_descriptions().front();
    HWND window = create_configurator_window(description, count_changes);
    ok(window != nullptr, "expected the window built, got %p\n", static_cast<void*>(window));
    if (window == nullptr) {
        return summary();
    }

    // The stored icon has no entry with a colour count of 16 or more, so
    // the icon rule takes both icons from its 16x16 image.
    for (const auto& icon : {std::pair{"large", ICON_BIG}, std::pair{"small", ICON_SMALL}}) {
        auto* handle = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, icon.second, 0));
        ICONINFO info{};
        BITMAP image{};
        const bool readable = handle != nullptr && GetIconInfo(handle, &info) &&
                              GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof image, &image);
        ok(readable && image.bmWidth == 16 && image.bmHeight == 16, "%s icon: expected 16x16, got %s %ldx%ld\n",
           icon.first, handle == nullptr ? "no icon" : (readable ? "an icon" : "an unreadable icon"), image.bmWidth,
           image.bmHeight);
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            DeleteObject(info.hbmMask);
        }
    }

    const Text fresh = read_control_text(configurator_window_id, connection_name_box_id);
    ok(fresh.absent(), "a new box: expected the absent text, got %zu bytes\n", fresh.length());

    // Many times wider than the box: ASCII and two-byte characters.
    std::string long_text;
    while (long_text.size() < 40000) {
        long_text += "Rasdial \xBF\xED\xB4\xF8 user-"; // 宽带
    }
    const std::string view_source = "name and more";
    const struct {
        const char* name;
        ControlId box;
        std::string_view text;
    } cases[] = {
        {"one blank", connection_name_box_id, " "},
        {"two-byte text", user_name_box_id, "\xD3\xC3\xBB\xA7 abc"}, // 用户 abc
        {"a long text", connection_name_box_id, long_text},
        {"the password box's real text", password_box_id, "p\xC3\xDC" "w"}, // p密w
        {"a view that is not zero-ended", user_name_box_id, std::string_view(view_source).substr(0, 4)},
        {"the empty text empties a box", password_box_id, ""},
    };
    for (const auto& c : cases) {
        check_round_trip(c.name, c.box, c.text);
    }

    // Written whole every time, the same text too: one change per write.
    changes_of = user_name_box_id;
    content_changes = 0;
    for (int i = 0; i < 3; ++i) {
        write_control_text(configurator_window_id, user_name_box_id, "same");
    }
    ok(content_changes == 3, "three writes of the same text: expected 3 content changes, got %d\n",
       content_changes);

    DestroyWindow(window);
    return summary();
}
