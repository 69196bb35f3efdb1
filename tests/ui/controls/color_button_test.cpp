// The colour button: its drawing by state (into a memory DC, read back by pixels), the face
// brush of the control-colour request, the caption rules, and the state it keeps as real
// mouse and keyboard input reaches it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/pixels.h"
#include "tests/support/real_input.h"
#include "ui/controls/color_button.h"

namespace {

constexpr int kButtonId = 100;
constexpr COLORREF kSentinel = RGB(255, 0, 255); // never drawn by the button
constexpr COLORREF kFace = RGB(124, 194, 245);
constexpr COLORREF kOtherFace = RGB(40, 160, 60);
constexpr RECT kButtonRect = {40, 40, 160, 80}; // in the host's client area

// Exposes what the button keeps, for the checks.
class ProbeButton : public CColorButton {
public:
    using CColorButton::m_brFace;
    using CColorButton::m_bTracking;
    using CColorButton::m_crDisabledText;
    using CColorButton::m_crFace;
    using CColorButton::m_crText;
    using CColorButton::m_nState;
    using CColorButton::m_rcItem;
};

// A top-level window that reflects its children's draw and colour requests, as a dialog
// does, and counts the clicks of the button.
class HostWnd : public CWnd {
public:
    int clicks = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED)
            ++clicks;
        return CWnd::OnCommand(wParam, lParam);
    }
};

HFONT MakeCrispFont() {
    LOGFONTA lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = NONANTIALIASED_QUALITY; // text pixels in the text colour exactly
    lstrcpyA(lf.lfFaceName, "Tahoma");
    return CreateFontIndirectA(&lf);
}

// The host window with one colour button at kButtonRect, shown at (100, 100) of the screen.
class ColorButtonTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "ColorButtonHost";
        RegisterClassA(&wc);
        HWND hHost = CreateWindowExA(WS_EX_TOPMOST, "ColorButtonHost", "host", WS_POPUP, 100, 100,
                                     300, 160, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(hHost);
        host.SubclassWindow(hHost);
        HWND hButton =
            CreateWindowA("BUTTON", "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          kButtonRect.left, kButtonRect.top, kButtonRect.right - kButtonRect.left,
                          kButtonRect.bottom - kButtonRect.top, hHost,
                          reinterpret_cast<HMENU>(kButtonId), wc.hInstance, nullptr);
        ASSERT_TRUE(hButton);
        font = MakeCrispFont();
        SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    void TearDown() override {
        if (host.m_hWnd)
            DestroyWindow(host.m_hWnd);
        DeleteObject(font);
    }

    HWND ButtonWindow() const { return GetDlgItem(host.m_hWnd, kButtonId); }

    // Attaches the button as data exchange does and shows the host, painted.
    void AttachAndShow() {
        button.SubclassWindow(ButtonWindow());
        ShowWindow(host.m_hWnd, SW_SHOWNORMAL);
        SetForegroundWindow(host.m_hWnd);
        RedrawWindow(host.m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        gui::PumpMessages(50);
    }

    // A screen point inside the button, (dx, dy) from its top-left corner.
    POINT OnButton(int dx, int dy) const {
        POINT p = {kButtonRect.left + dx, kButtonRect.top + dy};
        ClientToScreen(host.m_hWnd, &p);
        return p;
    }
    void MoveTo(POINT p) {
        gui::MoveCursor(p.x, p.y);
        gui::PumpMessages(60);
    }
    void MoveOutside() { MoveTo(OnButton(-30, -30)); }
    void Left(bool down) {
        gui::LeftButton(down);
        gui::PumpMessages(60);
    }
    bool Captured() const { return GetCapture() == ButtonWindow(); }
    gui::Picture Screen() const { return gui::CaptureClient(ButtonWindow()); }

    HostWnd host;
    ProbeButton button;
    HFONT font = nullptr;
};

// A memory DC with a 32-bit picture, filled with the sentinel colour and given the crisp
// font, on which DrawItem is called as the platform would.
class Canvas {
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 80;
    static constexpr RECT kItem = {20, 15, 140, 55}; // the request's item rectangle

    explicit Canvas(HFONT font) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        oldFont_ = SelectObject(dc_, font);
        RECT all = {0, 0, kWidth, kHeight};
        HBRUSH fill = CreateSolidBrush(kSentinel);
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
    }
    ~Canvas() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    gui::Picture Draw(CColorButton& button, HWND hButton) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = kButtonId;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = hButton;
        dis.hDC = dc_;
        dis.rcItem = kItem;
        button.DrawItem(&dis);
        return gui::CaptureDC(dc_, kWidth, kHeight);
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    HGDIOBJ oldFont_;
};

// Where the pixels of one colour lie.
struct Ink {
    RECT box = {0, 0, 0, 0};
    int count = 0;
};

Ink FindInk(const gui::Picture& pic, const RECT& area, COLORREF colour) {
    Ink ink;
    ink.box = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pic.At(x, y) == colour) {
                ++ink.count;
                ink.box.left = std::min<LONG>(ink.box.left, x);
                ink.box.top = std::min<LONG>(ink.box.top, y);
                ink.box.right = std::max<LONG>(ink.box.right, x + 1);
                ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            }
    return ink;
}

RECT Interior(const RECT& item) {
    return {item.left + 3, item.top + 2, item.right - 1, item.bottom - 1};
}

bool HasRaisedEdge(const gui::Picture& pic, const RECT& item) {
    int midY = (item.top + item.bottom) / 2;
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    return pic.At(item.left + 2, midY) == light && pic.At(item.left + 6, item.top + 1) == light &&
           pic.At(item.right - 1, midY) == dark && pic.At(item.left + 6, item.bottom - 1) == dark;
}

bool HasNoEdge(const gui::Picture& pic, const RECT& item, COLORREF background) {
    int midY = (item.top + item.bottom) / 2;
    return pic.At(item.left + 2, midY) == background &&
           pic.At(item.left + 6, item.top + 1) == background &&
           pic.At(item.right - 1, midY) == background &&
           pic.At(item.left + 6, item.bottom - 1) == background;
}

struct StateLook {
    int state;
    bool disabledWindow;
    bool edge;
    bool grey;
};

TEST_F(ColorButtonTest, DrawsEdgeAndCaptionOfEachState) {
    button.m_strCaption = "Go";
    button.SubclassWindow(ButtonWindow());
    const StateLook looks[] = {
        {CColorButton::stateNormal, false, true, false},
        {CColorButton::stateHover, false, true, false},
        {CColorButton::statePressed, false, false, false},
        {CColorButton::stateDisabled, true, true, true},
    };
    const RECT item = Canvas::kItem;
    for (const StateLook& look : looks) {
        SCOPED_TRACE(testing::Message() << "state " << look.state);
        EnableWindow(ButtonWindow(), !look.disabledWindow);
        button.m_nState = look.state;
        Canvas canvas(font);
        gui::Picture pic = canvas.Draw(button, ButtonWindow());

        // The edge: inset 2 on the left and 1 at the top, none when pressed; nothing at all
        // left of or above the inset.
        EXPECT_EQ(HasRaisedEdge(pic, item), look.edge);
        EXPECT_EQ(!look.edge, HasNoEdge(pic, item, kSentinel));
        int midY = (item.top + item.bottom) / 2;
        EXPECT_EQ(pic.At(item.left, midY), kSentinel);
        EXPECT_EQ(pic.At(item.left + 1, midY), kSentinel);
        EXPECT_EQ(pic.At(item.left + 6, item.top), kSentinel);

        // The caption in the colour of the state, centred; the face is never filled here.
        COLORREF shown = look.grey ? button.m_crDisabledText : button.m_crText;
        COLORREF other = look.grey ? button.m_crText : button.m_crDisabledText;
        Ink ink = FindInk(pic, Interior(item), shown);
        EXPECT_GT(ink.count, 20);
        EXPECT_EQ(FindInk(pic, Interior(item), other).count, 0);
        int inkCentre2 = ink.box.left + ink.box.right;
        EXPECT_NEAR(inkCentre2, item.left + item.right, 2);
        EXPECT_EQ(pic.Count({0, 0, Canvas::kWidth, Canvas::kHeight}, button.m_crFace), 0);
    }
    // A disabled button drawn while enabled again returns to normal.
    EnableWindow(ButtonWindow(), TRUE);
    button.m_nState = CColorButton::stateDisabled;
    Canvas canvas(font);
    canvas.Draw(button, ButtonWindow());
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    EXPECT_TRUE(button.m_rcItem == Canvas::kItem);
}

TEST_F(ColorButtonTest, DrawingSettlesTheDisabledState) {
    button.SubclassWindow(ButtonWindow());
    button.m_nState = CColorButton::stateHover;
    EnableWindow(ButtonWindow(), FALSE);
    Canvas canvas(font);
    canvas.Draw(button, ButtonWindow());
    EXPECT_EQ(button.m_nState, CColorButton::stateDisabled);
}

TEST_F(ColorButtonTest, CaptionIsOneCentredLineCutWithAnEllipsis) {
    button.SubclassWindow(ButtonWindow());
    const RECT item = Canvas::kItem;
    TEXTMETRICA tm;
    {
        Canvas probe(font);
        GetTextMetricsA(probe.Dc(), &tm);
    }
    // The line cell is centred vertically: the ink stays inside it.
    int cellTop = item.top + (item.bottom - item.top - tm.tmHeight) / 2;

    button.m_strCaption = "Go";
    Canvas shortCanvas(font);
    Ink single = FindInk(shortCanvas.Draw(button, ButtonWindow()), Interior(item), button.m_crText);
    EXPECT_GE(single.box.top, cellTop);
    EXPECT_LE(single.box.bottom, cellTop + tm.tmHeight);

    // A line break does not start a second line.
    button.m_strCaption = "Go\nGo";
    Canvas twoCanvas(font);
    Ink joined = FindInk(twoCanvas.Draw(button, ButtonWindow()), Interior(item), button.m_crText);
    EXPECT_LE(joined.box.bottom - joined.box.top, tm.tmHeight);
    EXPECT_GT(joined.box.right - joined.box.left, 2 * (single.box.right - single.box.left));
    EXPECT_NEAR(joined.box.left + joined.box.right, item.left + item.right, 2);

    // Too wide: cut to fit and ended by three dots on the base line.
    button.m_strCaption = "Calibration and touch test";
    Canvas longCanvas(font);
    gui::Picture pic = longCanvas.Draw(button, ButtonWindow());
    Ink cut = FindInk(pic, {0, 0, Canvas::kWidth, Canvas::kHeight}, button.m_crText);
    EXPECT_GE(cut.box.left, item.left);
    EXPECT_LE(cut.box.right, item.right);
    std::vector<RECT> runs; // column runs of ink, left to right, with their row extent
    for (int x = cut.box.left; x < cut.box.right; ++x) {
        RECT col = {x, cut.box.bottom, x + 1, cut.box.top};
        for (int y = cut.box.top; y < cut.box.bottom; ++y)
            if (pic.At(x, y) == button.m_crText) {
                col.top = std::min<LONG>(col.top, y);
                col.bottom = std::max<LONG>(col.bottom, y + 1);
            }
        if (col.top >= col.bottom)
            continue;
        if (!runs.empty() && runs.back().right == x) {
            runs.back().right = x + 1;
            runs.back().top = std::min(runs.back().top, col.top);
            runs.back().bottom = std::max(runs.back().bottom, col.bottom);
        } else {
            runs.push_back(col);
        }
    }
    ASSERT_GE(runs.size(), 4u);
    int baseline = cellTop + tm.tmAscent;
    for (size_t i = runs.size() - 3; i < runs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "dot " << i);
        EXPECT_LE(runs[i].right - runs[i].left, 3);
        EXPECT_LE(runs[i].bottom - runs[i].top, 3);
        EXPECT_NEAR(runs[i].bottom, baseline, 1);
    }
}

TEST_F(ColorButtonTest, EmptyCaptionTakesTheWindowTextOnce) {
    button.SubclassWindow(ButtonWindow());
    Canvas first(font);
    first.Draw(button, ButtonWindow());
    EXPECT_STREQ(button.m_strCaption.GetString(), "Go");
    SetWindowTextA(ButtonWindow(), "Stop");
    Canvas second(font);
    second.Draw(button, ButtonWindow());
    EXPECT_STREQ(button.m_strCaption.GetString(), "Go");
}

TEST_F(ColorButtonTest, AttachingMakesTheButtonOwnerDrawn) {
    button.SubclassWindow(ButtonWindow());
    DWORD style = static_cast<DWORD>(GetWindowLongA(ButtonWindow(), GWL_STYLE));
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
}

TEST_F(ColorButtonTest, FaceComesFromTheControlColourBrush) {
    button.m_strCaption = "Go";
    button.SetFaceColor(kFace);
    AttachAndShow();

    // The request sets the DC's colours and returns the face brush.
    Canvas canvas(font);
    LRESULT brush = SendMessageA(host.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(canvas.Dc()),
                                 reinterpret_cast<LPARAM>(ButtonWindow()));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), button.m_brFace.m_hObject);
    EXPECT_EQ(GetTextColor(canvas.Dc()), button.m_crText);
    EXPECT_EQ(GetBkColor(canvas.Dc()), kFace);

    // On screen the platform's erase paints the face; the draw adds edge and caption.
    gui::Picture pic = Screen();
    int midY = pic.Height() / 2;
    EXPECT_EQ(pic.At(1, midY), kFace);
    EXPECT_EQ(pic.At(5, midY), kFace);
    EXPECT_TRUE(HasRaisedEdge(pic, {0, 0, pic.Width(), pic.Height()}));
    EXPECT_GT(FindInk(pic, {3, 2, pic.Width() - 1, pic.Height() - 1}, button.m_crText).count, 20);
}

TEST_F(ColorButtonTest, NewFaceColourWaitsForTheNextRepaint) {
    button.m_strCaption = "Go";
    button.SetFaceColor(kFace);
    AttachAndShow();
    ASSERT_EQ(Screen().At(5, 20), kFace);

    button.SetFaceColor(kOtherFace);
    gui::PumpMessages(100);
    EXPECT_FALSE(GetUpdateRect(ButtonWindow(), nullptr, FALSE));
    EXPECT_EQ(Screen().At(5, 20), kFace);

    button.InvalidateRect(nullptr, TRUE);
    UpdateWindow(ButtonWindow());
    EXPECT_EQ(Screen().At(5, 20), kOtherFace);
}

TEST_F(ColorButtonTest, MouseDrivesHoverPressAndCapture) {
    button.m_strCaption = "Go";
    button.SetFaceColor(kFace);
    AttachAndShow();
    MoveOutside();
    ASSERT_EQ(WindowFromPoint(OnButton(10, 10)), ButtonWindow()) << "another window covers it";
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    EXPECT_FALSE(button.m_bTracking);

    // The first move over the button takes the capture; moves inside keep it.
    MoveTo(OnButton(10, 10));
    EXPECT_EQ(button.m_nState, CColorButton::stateHover);
    EXPECT_TRUE(button.m_bTracking);
    EXPECT_TRUE(Captured());
    MoveTo(OnButton(100, 30));
    EXPECT_EQ(button.m_nState, CColorButton::stateHover);
    EXPECT_TRUE(Captured());

    // The first move outside the item rectangle (its right edge is outside) gives it up.
    MoveTo(OnButton(120, 30));
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    EXPECT_FALSE(button.m_bTracking);
    EXPECT_FALSE(Captured());

    // Press: flat, no edge; release: a click for the parent, hover again.
    MoveTo(OnButton(20, 20));
    Left(true);
    EXPECT_EQ(button.m_nState, CColorButton::statePressed);
    gui::Picture pressed = Screen();
    EXPECT_TRUE(HasNoEdge(pressed, {0, 0, pressed.Width(), pressed.Height()}, kFace));
    EXPECT_EQ(host.clicks, 0);
    Left(false);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(button.m_nState, CColorButton::stateHover);
    EXPECT_TRUE(button.m_bTracking);
    gui::Picture released = Screen();
    EXPECT_TRUE(HasRaisedEdge(released, {0, 0, released.Width(), released.Height()}));

    // After the click the platform has let the capture go; the next move takes it again.
    MoveTo(OnButton(22, 21));
    EXPECT_TRUE(Captured());
    EXPECT_EQ(button.m_nState, CColorButton::stateHover);
    MoveOutside();
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    EXPECT_FALSE(Captured());
    EXPECT_EQ(host.clicks, 1);
}

TEST_F(ColorButtonTest, PressWithNoMoveBeforeItThenAMoveWhileHeld) {
    button.m_strCaption = "Go";
    button.SetFaceColor(kFace);
    AttachAndShow();
    // The cursor reaches the button while it is disabled, so no move reaches it.
    EnableWindow(ButtonWindow(), FALSE);
    MoveTo(OnButton(20, 20));
    EnableWindow(ButtonWindow(), TRUE);
    gui::PumpMessages(60);
    ASSERT_FALSE(button.m_bTracking);

    Left(true);
    EXPECT_EQ(button.m_nState, CColorButton::statePressed);
    EXPECT_FALSE(button.m_bTracking);
    // The first move while held finds tracking clear: hover, and the edge is back although
    // the button is still held.
    MoveTo(OnButton(24, 22));
    EXPECT_EQ(button.m_nState, CColorButton::stateHover);
    EXPECT_TRUE(button.m_bTracking);
    gui::Picture held = Screen();
    EXPECT_TRUE(HasRaisedEdge(held, {0, 0, held.Width(), held.Height()}));
    Left(false);
    EXPECT_EQ(host.clicks, 1);
    MoveOutside();
}

TEST_F(ColorButtonTest, KeyboardActivationClicksWithoutChangingState) {
    button.m_strCaption = "Go";
    button.SetFaceColor(kFace);
    AttachAndShow();
    MoveOutside();
    SetFocus(ButtonWindow());
    ASSERT_EQ(GetFocus(), ButtonWindow());

    gui::Key(VK_SPACE, true);
    gui::PumpMessages(60);
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    gui::Picture down = Screen();
    EXPECT_TRUE(HasRaisedEdge(down, {0, 0, down.Width(), down.Height()}));
    gui::Key(VK_SPACE, false);
    gui::PumpMessages(60);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(button.m_nState, CColorButton::stateNormal);
    EXPECT_FALSE(button.m_bTracking);
}

} // namespace
