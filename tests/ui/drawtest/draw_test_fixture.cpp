#include "tests/ui/drawtest/draw_test_fixture.h"

bool Painted(HWND dialog) {
    return dialog && IsWindowVisible(dialog) && !GetUpdateRect(dialog, nullptr, FALSE);
}

void PostMouse(HWND target, UINT message, WPARAM flags, int x, int y) {
    PostMessageA(target, message, flags, MAKELPARAM(x, y));
}

void PostKey(HWND dialog, WORD vk) {
    HWND focus = GetFocus();
    HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

int CountColour(const gui::Picture& picture, COLORREF colour) {
    return picture.Count({0, 0, picture.Width(), picture.Height()}, colour);
}

RECT ChildRect(HWND parent, int id) {
    RECT rc = {};
    GetWindowRect(GetDlgItem(parent, id), &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void PrintTo(const DesktopCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height;
}
