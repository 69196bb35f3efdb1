// The calibration screen against a virtual controller: what it draws, how touches, Esc,
// Enter and the timeout end it, the commands it sends and the messages it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/language.h"
#include "app/setup_app.h"
#include "res/resource.h"
#include "tests/hid/virtual_bus_fixture.h"
#include "tests/support/desktop.h"
#include "tests/support/gui_driver.h"
#include "tests/support/pixels.h"
#include "tests/support/resource_counters.h"
#include "ui/calibration/calibration_dlg.h"

using gui::Gbk;
using gui::GuiDriver;
using Words = std::vector<ULONG>;

namespace {

constexpr COLORREF kBlue = RGB(5, 174, 230);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HWND Screen() {
    return gui::Dialog("");
}

int CursorCount() {
    int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

void Release(HWND screen, int x = 300, int y = 300) {
    PostMessageA(screen, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The sets the controller accepted or refused, first word of each.
Words Sets(const VirtualController& ctl) {
    Words words;
    for (const ControllerTransfer& t : ctl.Transfers())
        if (t.kind == ControllerTransfer::Set && !t.words.empty())
            words.push_back(t.words[0]);
    return words;
}

} // namespace

class CalibrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus.AddMouse();
        ctl = &bus.AddController(1);
        ASSERT_TRUE(ConnectController());
        cx = GetSystemMetrics(SM_CXSCREEN);
        cy = GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override {
        theApp.g_controllerId = {0, 0};
        g_bEnglish = 1;
    }
    // Runs the screen with the steps; returns its result.
    INT_PTR RunScreen(GuiDriver& drv) {
        INT_PTR result = -2;
        drv.Run([&] {
            CCalibrationDlg dlg(nullptr);
            result = dlg.DoModal();
        });
        return result;
    }
    // Red pixels along the bottom edge past the line's start: 0 for an empty progress line
    // (Wine draws a zero-length wide line as a dot at its start).
    int ProgressLength(const gui::Picture& p) const {
        RECT bar = {4, cy - 4, cx, cy};
        return p.Count(bar, kRed);
    }
    // The centre of a target's square.
    POINT TargetCentre(int k) const {
        const POINT centres[] = {{10, 10}, {10, cy - 10}, {cx - 10, cy - 10}, {cx - 10, 10}};
        return centres[k];
    }

    SimBus bus;
    ScopedHidPlatform use{bus};
    ScopedRecordRelease release{theApp.g_hidDevice};
    VirtualController* ctl = nullptr;
    int cx = 0;
    int cy = 0;
};

// The screen's drawing on desktops of two sizes, each its own.
struct DesktopSize {
    int width;
    int height;
};
inline void PrintTo(const DesktopSize& d, std::ostream* os) {
    *os << d.width << "x" << d.height;
}

class CalibrationScreen : public CalibrationTest,
                          public ::testing::WithParamInterface<DesktopSize> {
protected:
    bool OnItsDesktop() { return gui::OnOwnDesktop(GetParam().width, GetParam().height); }
};

TEST_P(CalibrationScreen, ShowsEachTargetInTurnAndEndsWithTheFourthRelease) {
    if (!OnItsDesktop())
        return;
    std::vector<gui::Picture> pictures;
    bool calibratingWhileShown = false;
    GuiDriver drv;
    for (int k = 0; k < 4; ++k) {
        drv.Step([&, k] {
            HWND s = Screen();
            if (!s || static_cast<int>(pictures.size()) != k)
                return false;
            UpdateWindow(s);
            pictures.push_back(gui::CaptureClient(s));
            calibratingWhileShown = ctl->Calibrating();
            Release(s, 500 + k, 400); // anywhere on the screen
            return true;
        });
        if (k < 3) // the fourth release ends the loop
            drv.Wait(50);
    }
    int before = CursorCount();
    INT_PTR result = RunScreen(drv);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(CursorCount(), before + 1); // hidden once, shown at the fourth touch and at the end
    ASSERT_EQ(pictures.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        const gui::Picture& p = pictures[k];
        ASSERT_EQ(p.Width(), cx);
        ASSERT_EQ(p.Height(), cy);
        EXPECT_EQ(p.At(cx / 2, cy / 4), kBlue) << "target " << k;
        for (int j = 0; j < 4; ++j) {
            POINT c = TargetCentre(j);
            EXPECT_EQ(p.At(c.x, c.y), j == k ? kYellow : kBlue) << "target " << k << " at " << j;
        }
        // The circle and cross keep to their square.
        POINT c = TargetCentre(k);
        // The 2-pixel pen may reach one pixel past the square's edges.
        RECT square = {c.x - 7, c.y - 7, c.x + 7, c.y + 7};
        RECT around = {c.x - 12, c.y - 12, c.x + 12, c.y + 12};
        int inside = p.Count(square, kYellow);
        EXPECT_GT(inside, 20);
        EXPECT_EQ(p.Count(around, kYellow), inside) << "yellow outside the square of " << k;
        // The two lines of text.
        RECT line1 = {cx / 2 - 80, cy / 2 - 15, cx / 2 + 160, cy / 2 + 5};
        RECT line2 = {cx / 2 - 40, cy / 2 + 15, cx / 2 + 120, cy / 2 + 35};
        EXPECT_GT(p.Count(line1, kBlack), 30);
        EXPECT_GT(p.Count(line2, kBlack), 3);
        EXPECT_EQ(ProgressLength(p), 0) << "target " << k;
    }
    EXPECT_TRUE(calibratingWhileShown);
    EXPECT_EQ(Sets(*ctl), (Words{0x0080, 0x00C0}));
    EXPECT_FALSE(ctl->Calibrating());
}

TEST_P(CalibrationScreen, TheProgressLineGrowsATenthOfTheWidthPerTick) {
    if (!OnItsDesktop())
        return;
    std::vector<gui::Picture> pictures;
    GuiDriver drv;
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        for (int tick = 0; tick < 3; ++tick) {
            SendMessageA(s, WM_TIMER, CCalibrationDlg::kTickTimer, 0);
            pictures.push_back(gui::CaptureClient(s));
        }
        PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    EXPECT_EQ(RunScreen(drv), IDCANCEL);
    ASSERT_EQ(pictures.size(), 3u);
    const int y = cy - 2;
    for (int count = 1; count <= 3; ++count) {
        const gui::Picture& p = pictures[count - 1];
        int end = (cx / 10) * count;
        EXPECT_EQ(p.At(2, y), kRed) << count;
        EXPECT_EQ(p.At(end - 3, y), kRed) << count;
        EXPECT_EQ(p.At(end + 3, y), kBlue) << count;
        EXPECT_EQ(p.At(cx / 2, y - 5), kBlue) << count;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, CalibrationScreen,
                         ::testing::Values(DesktopSize{1024, 768}, DesktopSize{1920, 1080}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST_F(CalibrationTest, AScreenOpenedAfterAnEarlierOneStartsWithAnEmptyCountAndFullTimeout) {
    g_nCalibSeconds = 7; // left by a screen that ended after some ticks
    gui::Picture first;
    bool timeoutArmed = false;
    GuiDriver drv;
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        UpdateWindow(s);
        first = gui::CaptureClient(s);
        timeoutArmed = KillTimer(s, CCalibrationDlg::kTimeoutTimer) != 0;
        PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    RunScreen(drv);
    EXPECT_EQ(ProgressLength(first), 0);
    EXPECT_TRUE(timeoutArmed);
}

TEST_F(CalibrationTest, ATouchAfterSomeTicksStartsTheNextTargetAfresh) {
    gui::Picture afterTouch;
    bool timeoutRearmed = false;
    GuiDriver drv;
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        for (int tick = 0; tick < 9; ++tick) // the ninth second
            SendMessageA(s, WM_TIMER, CCalibrationDlg::kTickTimer, 0);
        EXPECT_EQ(g_nCalibSeconds, 9);
        SendMessageA(s, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
        afterTouch = gui::CaptureClient(s);
        timeoutRearmed = KillTimer(s, CCalibrationDlg::kTimeoutTimer) != 0;
        PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    RunScreen(drv);
    EXPECT_EQ(ProgressLength(afterTouch), 0);
    const POINT second = TargetCentre(1);
    EXPECT_EQ(afterTouch.At(second.x, second.y), kYellow);
    EXPECT_TRUE(timeoutRearmed);
}

struct WayOut {
    const char* name;
    void (*act)(HWND screen);
    INT_PTR result;
    int cursorChange;
    Words sets;
};
inline void PrintTo(const WayOut& w, std::ostream* os) {
    *os << w.name;
}

class CalibrationWayOut : public CalibrationTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(CalibrationWayOut, EndsAndLeavesCalibrationMode) {
    const WayOut& w = GetParam();
    POINT cursor = {-1, -1};
    GuiDriver drv;
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        SetCursorPos(3, 3);
        w.act(s);
        return true;
    });
    int before = CursorCount();
    INT_PTR result = RunScreen(drv);
    GetCursorPos(&cursor);
    EXPECT_EQ(result, w.result);
    EXPECT_EQ(CursorCount(), before + w.cursorChange);
    EXPECT_EQ(cursor.x, cx / 2);
    EXPECT_EQ(cursor.y, cy / 2);
    EXPECT_EQ(Sets(*ctl), w.sets);
    EXPECT_FALSE(ctl->Calibrating());
    // Every command with an answer had its read.
    size_t gets = 0;
    for (const ControllerTransfer& t : ctl->Transfers())
        gets += t.kind == ControllerTransfer::Get;
    EXPECT_EQ(gets, w.sets.size());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CalibrationWayOut,
    ::testing::Values(WayOut{"Esc",
                             [](HWND s) { PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1); },
                             IDCANCEL,
                             0,
                             {0x0080, 0x00C0}},
                      WayOut{"Enter",
                             [](HWND s) { PostMessageA(s, WM_KEYDOWN, VK_RETURN, 1); },
                             IDOK,
                             0,
                             {0x0080, 0x00C0}},
                      WayOut{"Timeout",
                             [](HWND s) {
                                 PostMessageA(s, WM_TIMER, CCalibrationDlg::kTimeoutTimer, 0);
                             },
                             IDCANCEL,
                             1,
                             {0x0080, 0x0012, 0x00C0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailRow {
    const char* name;
    BYTE refuseSet;  // 0: none
    BYTE refuseRead; // 0: none
    bool timeout;
    bool atEnd;          // the message comes after the screen was told to end
    const char* english; // "none": no message
    const wchar_t* chinese;
};
inline void PrintTo(const FailRow& r, std::ostream* os) {
    *os << r.name;
}

class CalibrationFailures : public CalibrationTest,
                            public ::testing::WithParamInterface<std::tuple<FailRow, int>> {};

TEST_P(CalibrationFailures, ShowTheirMessageAndTheScreenGoesOn) {
    const FailRow& r = std::get<0>(GetParam());
    const int english = std::get<1>(GetParam());
    g_bEnglish = english;
    if (r.refuseSet)
        ctl->RefuseSets(OpcodeSet::Of({r.refuseSet}));
    if (r.refuseRead)
        ctl->RefuseReads(OpcodeSet::Of({r.refuseRead}));
    std::vector<std::string> messages;
    int advanced = 0;
    bool thirdTargetShown = false;
    GuiDriver drv;
    drv.Step([&] {
        std::string text;
        if (GuiDriver::TakeMessageBox(&text)) {
            messages.push_back(text);
            return false;
        }
        HWND s = Screen();
        if (!s || !IsWindowEnabled(s))
            return false;
        if (advanced < 2) { // the targets go on whatever the start command did
            Release(s);
            ++advanced;
            return false;
        }
        UpdateWindow(s);
        const POINT third = TargetCentre(2);
        thirdTargetShown = gui::CaptureClient(s).At(third.x, third.y) == kYellow;
        if (r.timeout)
            PostMessageA(s, WM_TIMER, CCalibrationDlg::kTimeoutTimer, 0);
        else
            PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    if (r.atEnd) {
        drv.Step([&] {
            std::string text;
            if (!GuiDriver::TakeMessageBox(&text))
                return false;
            messages.push_back(text);
            return true;
        });
    }
    RunScreen(drv);
    std::vector<std::string> expected;
    if (std::string(r.english) != "none")
        expected.push_back(english ? r.english : Gbk(r.chinese));
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(advanced, 2);
    EXPECT_TRUE(thirdTargetShown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalibrationFailures,
    ::testing::Combine(
        ::testing::Values(FailRow{"StartNotSent", 0x80, 0, false, false, "Send command failure!",
                                  L"设置开始校准失败!"},
                          FailRow{"StartNoAnswer", 0, 0x80, false, false,
                                  "Can't get the device answer!", L"设置开始校准无应答!"},
                          FailRow{"ExitNotSent", 0xC0, 0, false, true, "Send command failure!",
                                  L"设置退出校准失败!"},
                          FailRow{"ExitNoAnswer", 0, 0xC0, false, true,
                                  "Can't get the device answer!", L"设置退出校准无应答!"},
                          FailRow{"AbortNoAnswer", 0, 0x12, true, true,
                                  "Can't get the device answer!", L"设置中断校准无应答!"},
                          FailRow{"AbortNotSentIsSilent", 0x12, 0, true, false, "none", nullptr}),
        ::testing::Values(1, 0)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_English" : "_Chinese");
    });

TEST_F(CalibrationTest, NoExitCommandAndNoMessageWithoutAValidHandle) {
    GuiDriver drv(8000);
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        theApp.g_hidDevice.handle = INVALID_HANDLE_VALUE; // as a failed reconnection leaves it
        PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    // A message box would stay open until the watchdog fails the test.
    RunScreen(drv);
    EXPECT_EQ(Sets(*ctl), (Words{0x0080}));
}

TEST_F(CalibrationTest, MinimisedItArmsNoTimer) {
    bool timeoutArmed = true, tickArmed = true;
    GuiDriver drv;
    drv.Step([&] {
        HWND s = Screen();
        if (!s)
            return false;
        ShowWindow(s, SW_MINIMIZE);
        KillTimer(s, CCalibrationDlg::kTimeoutTimer);
        KillTimer(s, CCalibrationDlg::kTickTimer);
        RedrawWindow(s, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(IsIconic(s));
        timeoutArmed = KillTimer(s, CCalibrationDlg::kTimeoutTimer) != 0;
        tickArmed = KillTimer(s, CCalibrationDlg::kTickTimer) != 0;
        ShowWindow(s, SW_RESTORE);
        PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
        return true;
    });
    RunScreen(drv);
    EXPECT_FALSE(timeoutArmed);
    EXPECT_FALSE(tickArmed);
}

// The real ten seconds: the timeout fires by itself, and while its no-answer message stays
// open for more than ten seconds more, the abort command goes out only once.
TEST_F(CalibrationTest, TheRealTimeoutAbortsOnceWhileItsMessageStaysOpen) {
    ctl->RefuseReads(OpcodeSet::Of({0x12}));
    DWORD opened = 0, boxShown = 0;
    size_t abortsWhileOpen = 0;
    std::string message;
    GuiDriver drv(60000);
    drv.Step([&] {
        if (!Screen())
            return false;
        opened = GetTickCount();
        return true;
    });
    drv.Step([&] {
        HWND box = nullptr;
        for (HWND d : gui::ThreadDialogs())
            if (gui::IsMessageBox(d))
                box = d;
        if (!box)
            return false;
        boxShown = GetTickCount();
        return true;
    });
    drv.Wait(11000);
    drv.Step([&] {
        for (ULONG w : Sets(*ctl))
            abortsWhileOpen += w == 0x0012;
        return GuiDriver::TakeMessageBox(&message);
    });
    EXPECT_EQ(RunScreen(drv), IDCANCEL);
    EXPECT_GE(boxShown - opened, 9500u);
    EXPECT_LE(boxShown - opened, 12000u);
    EXPECT_EQ(message, "Can't get the device answer!");
    EXPECT_EQ(abortsWhileOpen, 1u);
    EXPECT_EQ(Sets(*ctl), (Words{0x0080, 0x0012, 0x00C0}));
}

// On a desktop of its own, where a full-screen window closes without waiting for a window
// manager.
TEST_F(CalibrationTest, OpeningAndClosingGivesEverythingBack) {
    if (!gui::OnOwnDesktop(1024, 768))
        return;
    auto once = [this] {
        GuiDriver drv;
        drv.Step([&] {
            HWND s = Screen();
            if (!s)
                return false;
            UpdateWindow(s);
            PostMessageA(s, WM_KEYDOWN, VK_ESCAPE, 1);
            return true;
        });
        EXPECT_EQ(RunScreen(drv), IDCANCEL);
        ctl->ClearTransfers();
    };
    // The counters see what is kept on purpose.
    const int gdiBefore = res::GdiObjectCount();
    const int handlesBefore = res::KernelHandleCount();
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(res::GdiObjectCount(), gdiBefore + 1);
    EXPECT_EQ(res::KernelHandleCount(), handlesBefore + 1);
    DeleteObject(pen);
    CloseHandle(event);

    once(); // the first opening fills the system's own caches
    const int gdi = res::GdiObjectCount();
    const int handles = res::KernelHandleCount();
    const size_t heap = res::HeapBytesInUse();
    for (int i = 0; i < 200 && !HasFailure(); ++i)
        once();
    EXPECT_EQ(res::GdiObjectCount(), gdi);
    EXPECT_EQ(res::KernelHandleCount(), handles);
    EXPECT_LE(res::HeapBytesInUse(), heap + 4096);
}

// Template 102 as the executable holds it: a bare pop-up; its size is the desktop's at run time.
TEST(CalibrationTemplate, IsAPopUpWithoutCaptionBorderOrControls) {
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_CALIBRATION), RT_DIALOG);
    ASSERT_TRUE(res);
    const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, res)));
    EXPECT_EQ(t->style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | DS_SETFONT));
    EXPECT_EQ(t->dwExtendedStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(t->cdit, 0);
    EXPECT_EQ(t->x, 0);
    EXPECT_EQ(t->y, 0);
    EXPECT_EQ(t->cx, 320);
    EXPECT_EQ(t->cy, 200);
    // Menu, class and caption are empty; then the point size.
    const auto* p = reinterpret_cast<const WORD*>(t + 1);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 0);
    EXPECT_EQ(p[3], 9);
}
