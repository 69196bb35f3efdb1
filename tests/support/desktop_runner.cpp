#include "tests/support/desktop_runner.h"

#include <windows.h>

#include <string>
#include <utility>

namespace gui {
namespace {

constexpr char kChildMark[] = "PNPSETUP_DESKTOP_CHILD";
constexpr char kDesktopsKey[] = "Software\\Wine\\Explorer\\Desktops";
constexpr DWORD kChildTimeoutMs = 130000; // within the tests' own limit
constexpr DWORD kRestoreTimeoutMs = 5000;

// Names the desktop's size for Wine; false when the key cannot be written.
bool DeclareDesktop(const std::string& name, const std::string& size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc =
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(size.c_str()),
                       static_cast<DWORD>(size.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void ForgetDesktop(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
}

// Runs the command on the desktop; returns its exit code, or -1 when it could not start or
// did not end in time.
long RunChild(std::string command, const std::string& desktop) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.lpDesktop = const_cast<char*>(desktop.c_str());
    PROCESS_INFORMATION pi = {};
    SetEnvironmentVariableA(kChildMark, "1");
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &si, &pi);
    SetEnvironmentVariableA(kChildMark, nullptr);
    if (!started)
        return -1;
    long result = -1;
    if (WaitForSingleObject(pi.hProcess, kChildTimeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

// Ends the process that keeps the desktop once the child is done with it: Wine's explorer of
// a virtual desktop stays behind otherwise, and keeps telling the session its size. Only a
// process named explorer.exe is ended (where the system keeps the desktop itself, nothing is).
void CloseDesktopKeeper(const std::string& name) {
    HDESK desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_READ);
    if (!desktop)
        return;
    struct Query {
        HDESK desktop;
        DWORD pid;
    } query = {desktop, 0};
    // A thread with no window of its own may move to the desktop and ask for its window.
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID arg) -> DWORD {
            auto* q = static_cast<Query*>(arg);
            if (SetThreadDesktop(q->desktop))
                GetWindowThreadProcessId(GetDesktopWindow(), &q->pid);
            return 0;
        },
        &query, 0, nullptr);
    if (thread) {
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
    }
    CloseDesktop(desktop);
    if (!query.pid || query.pid == GetCurrentProcessId())
        return;
    HANDLE process = OpenProcess(
        PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, query.pid);
    if (!process)
        return;
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameA(process, 0, image, &size)) {
        std::string path(image, size);
        size_t slash = path.find_last_of('\\');
        if (_stricmp(path.substr(slash == std::string::npos ? 0 : slash + 1).c_str(),
                     "explorer.exe") == 0) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
        }
    }
    CloseHandle(process);
}

// Sets the display's own mode back for the processes that come after, once the child's
// desktop has let go of the display figures (it may still write them as it closes).
void RestoreDisplay() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &mode))
        return;
    const DWORD start = GetTickCount();
    for (int settled = 0; settled < 5 && GetTickCount() - start < kRestoreTimeoutMs;) {
        if (DesktopHasSize(static_cast<int>(mode.dmPelsWidth),
                           static_cast<int>(mode.dmPelsHeight))) {
            ++settled;
        } else {
            settled = 0;
            ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr);
        }
        Sleep(100);
    }
}

} // namespace

bool IsOwnDesktopChild() {
    return GetEnvironmentVariableA(kChildMark, nullptr, 0) != 0;
}

bool DesktopHasSize(int width, int height) {
    RECT rc;
    GetWindowRect(GetDesktopWindow(), &rc);
    return rc.right - rc.left == width && rc.bottom - rc.top == height;
}

long RunOnOwnDesktop(std::string command, int width, int height) {
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    // One desktop per run: runs side by side share nothing on screen.
    std::string desktop = "pnpsetup-" + size + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(GetTickCount());
    if (!DeclareDesktop(desktop, size))
        return -1;
    long code = RunChild(std::move(command), desktop);
    CloseDesktopKeeper(desktop);
    ForgetDesktop(desktop);
    RestoreDisplay();
    return code;
}

} // namespace gui
