// What the draw-test suites share: access to the screen's state, the figures of each desktop
// size, and pixel and message helpers.
#pragma once

#include <windows.h>

#include <ostream>

#include "tests/support/pixels.h"
#include "ui/drawtest/draw_test_dlg.h"

// The draw test with its state open to the checks.
class ProbeDrawTest : public CDrawTestDlg {
public:
    ProbeDrawTest() : CDrawTestDlg(nullptr) {}
    using CDrawTestDlg::DrawSegment;
    using CDrawTestDlg::m_bDrawing;
    using CDrawTestDlg::m_btnClear;
    using CDrawTestDlg::m_btnExit;
    using CDrawTestDlg::m_ptLast;
};

// The screen's figures on one desktop size, worked out by hand.
struct DesktopCase {
    int width, height;
    POINT clear, exit; // button places in client coordinates
    SIZE button;
    int colStep, rowStep;
    int visibleCols, visibleRows; // grid lines inside the client area
};

// Names the case in test output.
void PrintTo(const DesktopCase& c, std::ostream* os);

constexpr COLORREF kBackground = RGB(5, 174, 230);
constexpr COLORREF kGrid = RGB(255, 255, 0);
constexpr COLORREF kStroke = RGB(255, 0, 0);
constexpr COLORREF kButtonFace = RGB(124, 194, 245);

// The dialog is on screen and fully painted.
bool Painted(HWND dialog);
// Posts a mouse message in client coordinates.
void PostMouse(HWND target, UINT message, WPARAM flags, int x, int y);
// Posts a key press to the window with the focus (the dialog when none), as the keyboard
// would reach the dialog's modal loop.
void PostKey(HWND dialog, WORD vk);
int CountColour(const gui::Picture& picture, COLORREF colour);
// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);
