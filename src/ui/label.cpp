#include "ui/label.h"

#include "runtime/text.h"
#include "ui/win32_owners.h"

namespace adsl {
namespace {

constexpr char label_class_name[] = "AdslLabel";
constexpr COLORREF label_background = RGB(144, 0, 255);
constexpr COLORREF label_text_colour = RGB(255, 255, 0);
constexpr UINT label_text_format = DT_NOCLIP | DT_CENTER | DT_VCENTER | DT_SINGLELINE;

HBRUSH background_brush() noexcept
{
    static const Brush brush(CreateSolidBrush(label_background));
    return brush.get();
}

void on_paint(HWND label)
{
    PaintSession paint(label);
    HDC dc = paint.get();
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) {
        return;
    }
    RECT client;
    GetClientRect(label, &client);
    RECT area;
    IntersectRect(&area, &clip, &client);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    FillRect(dc, &area, background_brush());

    const int length = GetWindowTextLengthA(label);
    if (length <= 0) {
        return;
    }
    HeapBlock text(heap_take(static_cast<std::size_t>(length) + 1));
    auto* bytes = static_cast<char*>(text.get());
    const int copied = GetWindowTextA(label, bytes, length + 1);
    SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label_text_colour);
    DrawTextA(dc, bytes, copied, &client, label_text_format);
}

LRESULT CALLBACK label_procedure(HWND label, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT:
        on_paint(label);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(label, message, wparam, lparam);
        InvalidateRect(label, nullptr, FALSE);
        return result;
    }
    default:
        return DefWindowProcA(label, message, wparam, lparam);
    }
}

bool register_label_class(HINSTANCE instance) noexcept
{
    WNDCLASSEXA label_class{};
    if (GetClassInfoExA(instance, label_class_name, &label_class)) {
        return true;
    }
    label_class.cbSize = sizeof label_class;
    label_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    label_class.lpfnWndProc = label_procedure;
    label_class.hInstance = instance;
    label_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    label_class.lpszClassName = label_class_name; // no background brush: it paints itself
    return RegisterClassExA(&label_class) != 0;
}

} // namespace

HWND create_label(HWND parent, int identifier, const ElementRecord& record, HINSTANCE instance)
{
    if (!register_label_class(instance)) {
        return nullptr;
    }
    return CreateWindowExA(0, label_class_name, record.text.data(), WS_CHILD | WS_CLIPSIBLINGS, record.left,
                           record.top, record.width, record.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), instance, nullptr);
}

} // namespace adsl
