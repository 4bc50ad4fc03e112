#include "ui/edit_box.h"

#include "ui/win32_owners.h"

#include <commctrl.h>
#include <windowsx.h>

namespace adsl {
namespace {

constexpr UINT_PTR subclass_id = 1;
constexpr char ideograph[] = "\xD6\xD0"; // 中, a two-byte character

HFONT font_of(HWND box) noexcept { return reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)); }

// The height of `text` in the box's current font.
int text_height(HWND box, const char* text, int length) noexcept
{
    WindowDeviceContext dc(box);
    HFONT font = font_of(box);
    SelectedObject selected(dc.get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text, length, &size);
    return size.cy;
}

// The client rectangle becomes one text line, the height of "W", in the
// vertical middle; the bands above and below belong to the frame.
LRESULT on_nc_calc_size(HWND box, WPARAM wparam, LPARAM lparam)
{
    const LRESULT result = DefSubclassProc(box, WM_NCCALCSIZE, wparam, lparam);
    RECT* client = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<RECT*>(lparam);
    const int line = text_height(box, "W", 1);
    client->top += (client->bottom - client->top - line) / 2;
    client->bottom = client->top + line;
    return result;
}

// Fills the whole non-client area with the box's background brush, then
// lets the default processing draw the border over it.
LRESULT on_nc_paint(HWND box, WPARAM wparam, LPARAM lparam)
{
    {
        WindowDeviceContext dc(box, WindowDeviceContext::Area::whole_window);
        RECT outer;
        GetWindowRect(box, &outer);
        POINT client_origin{0, 0};
        ClientToScreen(box, &client_origin);
        RECT client;
        GetClientRect(box, &client);
        OffsetRect(&client, client_origin.x - outer.left, client_origin.y - outer.top);
        OffsetRect(&outer, -outer.left, -outer.top);
        ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
        // The same brush the box asks its parent for when it paints.
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            GetParent(box), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box)));
        FillRect(dc.get(), &outer, brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
    }
    return DefSubclassProc(box, WM_NCPAINT, wparam, lparam);
}

// A point in the bands outside the text line is border: a click there
// neither places the caret nor does anything else.
LRESULT on_nc_hit_test(HWND box, WPARAM wparam, LPARAM lparam)
{
    POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    ScreenToClient(box, &point);
    RECT client;
    GetClientRect(box, &client);
    if (!PtInRect(&client, point)) {
        return HTBORDER;
    }
    return DefSubclassProc(box, WM_NCHITTEST, wparam, lparam);
}

LRESULT CALLBACK edit_box_procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_NCCALCSIZE:
        return on_nc_calc_size(box, wparam, lparam);
    case WM_NCPAINT:
        return on_nc_paint(box, wparam, lparam);
    case WM_NCHITTEST:
        return on_nc_hit_test(box, wparam, lparam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, edit_box_procedure, subclass_id);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wparam, lparam);
}

void refresh_frame(HWND box) noexcept
{
    SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

HWND create_edit_box(HWND parent, int identifier, const ElementRecord& record, DWORD tab_stop,
                     HINSTANCE instance)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL | tab_stop;
    if (record.input_mode == InputMode::password) {
        style |= ES_PASSWORD;
    }
    HWND box = CreateWindowExA(0, "EDIT", "", style, record.left, record.top, record.width, record.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), instance, nullptr);
    if (box == nullptr || !SetWindowSubclass(box, edit_box_procedure, subclass_id, 0)) {
        return nullptr;
    }
    // Tall enough for one ideograph and the edges, whatever the font.
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    {
        WindowDeviceContext dc(box);
        SelectedObject selected(dc.get(), font);
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), ideograph, 2, &size);
        const int least = size.cy + 2 * GetSystemMetrics(SM_CYEDGE);
        if (record.height < least) {
            SetWindowPos(box, nullptr, 0, 0, record.width, least, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    refresh_frame(box);
    SendMessageA(box, EM_LIMITTEXT, 0, 0);
    if (record.input_mode == InputMode::password) {
        // An asterisk whatever the platform's own mask is.
        SendMessageA(box, EM_SETPASSWORDCHAR, '*', 0);
    }
    SendMessageA(box, EM_SETSEL, 0, 0);
    SendMessageA(box, EM_SCROLLCARET, 0, 0);

    LONG_PTR extended = GetWindowLongPtrA(box, GWL_EXSTYLE);
    extended &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME);
    SetWindowLongPtrA(box, GWL_EXSTYLE, extended | WS_EX_CLIENTEDGE);
    SetWindowLongPtrA(box, GWL_STYLE, GetWindowLongPtrA(box, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    refresh_frame(box);
    return box;
}

} // namespace adsl
