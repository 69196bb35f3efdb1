// The simulator build as a process: its PNPSETUP_SIM errors, and the transfer lines it
// prints while the utility talks to the virtual controller.
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Wine shows the Unix file system as drive Z:.
std::string WindowsPath(const char* unixPath) {
    std::string path = "Z:";
    for (const char* p = unixPath; *p; ++p)
        path.push_back(*p == '/' ? '\\' : *p);
    return path;
}

// One run of the simulator build with its standard output and error captured.
class SimRun {
public:
    explicit SimRun(const char* settings) {
        SetEnvironmentVariableA("PNPSETUP_SIM", settings);
        SetEnvironmentVariableA("PNPSETUP_SIM_QUIET", "1");
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE outWrite = nullptr, errWrite = nullptr;
        CreatePipe(&outRead_, &outWrite, &sa, 1 << 16);
        CreatePipe(&errRead_, &errWrite, &sa, 1 << 16);
        SetHandleInformation(outRead_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(errRead_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = outWrite;
        si.hStdError = errWrite;
        std::string cmd = "\"";
        cmd += WindowsPath(PNPSETUP_SIM_EXE);
        cmd += '"';
        started_ = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &si, &pi_);
        CloseHandle(outWrite);
        CloseHandle(errWrite);
        SetEnvironmentVariableA("PNPSETUP_SIM", nullptr);
        SetEnvironmentVariableA("PNPSETUP_SIM_QUIET", nullptr);
    }
    ~SimRun() {
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0)
                TerminateProcess(pi_.hProcess, 1);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        CloseHandle(outRead_);
        CloseHandle(errRead_);
    }

    bool Started() const { return started_ != FALSE; }
    // The visible settings dialog of the process, waiting a few seconds for it.
    HWND WaitForDialog() {
        for (int i = 0; i < 200; ++i) {
            Search search{pi_.dwProcessId, nullptr};
            EnumWindows(&SimRun::Match, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            Sleep(50);
        }
        return nullptr;
    }
    // Waits for the end of the process; its exit code, or -1 when it did not end.
    int Wait() {
        if (WaitForSingleObject(pi_.hProcess, 15000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }
    std::string Output() { return ReadAll(outRead_); }
    std::string Errors() { return ReadAll(errRead_); }

private:
    struct Search {
        DWORD pid;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND hWnd, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hWnd, &owner);
        char title[64] = "";
        GetWindowTextA(hWnd, title, sizeof title);
        if (owner == s->pid && IsWindowVisible(hWnd) && std::string(title) == "PNP Setup V3.6") {
            s->found = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    // Everything written to a pipe so far. The process has ended by then; the pipe is not
    // read to its end, since a process Wine starts for the desktop may hold a copy of it.
    static std::string ReadAll(HANDLE pipe) {
        std::string text;
        char buffer[4096];
        DWORD available = 0, got = 0;
        while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available &&
               ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got)
            text.append(buffer, got);
        std::string plain;
        for (char c : text) {
            if (c != '\r')
                plain.push_back(c);
        }
        return plain;
    }

    HANDLE outRead_ = nullptr;
    HANDLE errRead_ = nullptr;
    PROCESS_INFORMATION pi_ = {};
    BOOL started_ = FALSE;
};

TEST(SimulatorBuild, UnknownSettingEndsItWithAMessageNamingIt) {
    struct Case {
        const char* settings;
        const char* message;
    };
    const Case cases[] = {
        {"colour=red", "PNPSETUP_SIM: unknown key \"colour\""},
        {"controller=2", "PNPSETUP_SIM: unknown value \"2\" for controller"},
        {"controller=4,layout=round", "PNPSETUP_SIM: unknown layout \"round\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        SimRun run(c.settings);
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.Wait(), 2);
        EXPECT_NE(run.Errors().find(c.message), std::string::npos) << run.Errors();
        EXPECT_EQ(run.Output(), "");
    }
}

// UnTouch stops touch output (0x0010, answer read); closing the dialog while touch is
// stopped restores it (0x0110, answer read). Each report id of the layout is sent and read.
TEST(SimulatorBuild, PrintsEveryTransferOfTheVirtualController) {
    struct Case {
        const char* settings;
        const char* lines;
    };
    const Case cases[] = {
        {"", "set-feature report=0 word=0x0010\n"
             "get-feature report=0\n"
             "set-feature report=0 word=0x0110\n"
             "get-feature report=0\n"},
        {"layout=two-ids", "set-feature report=1 word=0x0010\n"
                           "set-feature report=2 word=0x0010\n"
                           "get-feature report=1\n"
                           "get-feature report=2\n"
                           "set-feature report=1 word=0x0110\n"
                           "set-feature report=2 word=0x0110\n"
                           "get-feature report=1\n"
                           "get-feature report=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        SimRun run(c.settings);
        ASSERT_TRUE(run.Started());
        HWND dlg = run.WaitForDialog();
        ASSERT_NE(dlg, nullptr) << "the settings dialog did not appear";
        HWND untouch = GetDlgItem(dlg, IDC_UNTOUCH);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_UNTOUCH, BN_CLICKED),
                     reinterpret_cast<LPARAM>(untouch));
        PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(run.Wait(), 0);
        EXPECT_EQ(run.Output(), c.lines);
    }
}

} // namespace
