// Start-up and shutdown: the language rule, the main window's ways out, the cursor count,
// and the simulator build run as a process of its own.
#include <string>

#include "app/language.h"
#include "app/setup_app.h"
#include "tests/ui/settings/settings_fixture.h"

using gui::GuiDriver;

TEST(LanguageRule, ChineseForTaiwanAndChinaOnlyOthersLeaveTheFlag) {
    struct Case {
        LCID lcid;
        int before;
        int after;
    };
    const Case cases[] = {
        {0x0409, 0, 1},
        {0x0409, 1, 1},
        {0x0804, 1, 0},
        {0x0404, 1, 0},
        {0x0809, 1, 1},
        {0x0C04, 1, 1},
        {0x1004, 1, 1},
        {0x0411, 1, 1},
        {0x0809, 0, 0}, // an unlisted id leaves the
                        // flag as it stands
        {0x0004, 1, 1}, // no primary-language test: neutral Chinese is not listed
    };
    for (const Case& c : cases) {
        g_bEnglish = c.before;
        ChooseLanguageFor(c.lcid);
        EXPECT_EQ(g_bEnglish, c.after) << std::hex << "lcid 0x" << c.lcid;
    }
    g_bEnglish = 1;
}

namespace {

int CursorCount() {
    int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

} // namespace

struct WayOut {
    const char* name;
    void (*close)(HWND dlg);
};
inline void PrintTo(const WayOut& w, std::ostream* os) {
    *os << w.name;
}

class StartupWayOut : public SettingsTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(StartupWayOut, EndsStartupWhichReturnsFalse) {
    bus.AddMouse();
    bus.AddController(1);
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        GetParam().close(dlg);
        return true;
    });
    BOOL result = TRUE;
    drv.Run([&] { result = theApp.InitInstance(); });
    EXPECT_FALSE(result);
    EXPECT_EQ(Settings(), nullptr);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    // Start-up connected once and kept the controller; closing sent it nothing.
    EXPECT_EQ(theApp.g_controllerId.productId, 1);
    EXPECT_EQ(bus.OpenHandleCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, StartupWayOut,
    ::testing::Values(
        WayOut{"ExitButton", [](HWND dlg) { GuiDriver::Click(dlg, IDCANCEL); }},
        WayOut{"EscKey",
               [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDOK), WM_KEYDOWN, VK_ESCAPE, 1); }},
        WayOut{"CloseBox", [](HWND dlg) { PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Shutdown, ExitInstanceRaisesTheCursorCountOnce) {
    int before = CursorCount();
    theApp.ExitInstance();
    EXPECT_EQ(CursorCount(), before + 1);
    ShowCursor(FALSE);
}

namespace {

// Wine shows the Unix file system as drive Z:.
std::string WindowsPath(const char* unixPath) {
    std::string path = "Z:";
    for (const char* p = unixPath; *p; ++p)
        path.push_back(*p == '/' ? '\\' : *p);
    return path;
}

struct FindWindowOf {
    DWORD pid;
    HWND found;
};

HWND MainWindowOf(DWORD pid) {
    FindWindowOf search{pid, nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<FindWindowOf*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hWnd, &owner);
            if (owner == s->pid && IsWindowVisible(hWnd) &&
                gui::WindowText(hWnd) == kSettingsTitle) {
                s->found = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

class SimulatorProcess : public ::testing::TestWithParam<WayOut> {};

TEST_P(SimulatorProcess, EndsWhenTheSettingsDialogCloses) {
    std::string cmd = WindowsPath(PNPSETUP_SIM_EXE);
    cmd.insert(cmd.begin(), '"');
    cmd.push_back('"');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    HWND dlg = nullptr;
    for (int i = 0; i < 200 && !dlg; ++i) {
        Sleep(50);
        dlg = MainWindowOf(pi.dwProcessId);
    }
    ASSERT_NE(dlg, nullptr) << "the settings dialog did not appear";
    char pid[16] = {};
    SendMessageA(GetDlgItem(dlg, 1039), WM_GETTEXT, sizeof pid, reinterpret_cast<LPARAM>(pid));
    EXPECT_STREQ(pid, "0001"); // the simulated controller was found
    GetParam().close(dlg);
    DWORD wait = WaitForSingleObject(pi.hProcess, 10000);
    EXPECT_EQ(wait, WAIT_OBJECT_0);
    if (wait != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SimulatorProcess,
    ::testing::Values(
        WayOut{"ExitButton",
               [](HWND dlg) {
                   PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
               }},
        WayOut{"EscKey",
               [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDOK), WM_KEYDOWN, VK_ESCAPE, 1); }},
        WayOut{"CloseBox", [](HWND dlg) { PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });
