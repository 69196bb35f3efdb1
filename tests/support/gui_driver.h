// Drives modal dialogs from inside their own message loops, for GUI tests.
//
// A thread timer fires inside every modal loop of the thread (dialogs and message boxes
// alike). The driver runs a list of steps from it, one at a time: a step returns true when
// it is done, false to be tried again on the next tick. Actions that open a modal loop must
// be posted (Click, PostCommand), never sent, so that the step returns. A watchdog fails the
// test and closes every dialog and message box of the thread when the steps take too long.
//
//   GuiDriver drv;
//   drv.Step([&] { return drv.Click(Dialog("PNP Setup V3.6"), IDC_SAVE_SET); });
//   drv.Step([&] { return drv.TakeMessageBox(&text); });
//   drv.Run([&] { dlg.DoModal(); });
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

class GuiDriver {
public:
    explicit GuiDriver(DWORD watchdogMs = 30000, UINT tickMs = 15);
    ~GuiDriver();

    // Adds a step; see above.
    void Step(std::function<bool()> step);
    // Adds a step that waits the given time, letting the loops run.
    void Wait(DWORD ms);
    // Runs body, which enters the modal loop(s), while the steps are played. Returns true
    // when every step ran and the watchdog did not fire (a failure is also reported to the
    // test framework).
    bool Run(const std::function<void()>& body);

    // Posts a click of the control to its dialog (WM_COMMAND, BN_CLICKED); true when posted.
    static bool Click(HWND dialog, int id);
    // Finds a message box of this thread; with text non-null, copies its text and presses
    // its button (IDOK). True when there was one.
    static bool TakeMessageBox(std::string* text = nullptr, std::wstring* wideText = nullptr);

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void CloseEverything();

    std::vector<std::function<bool()>> m_steps;
    size_t m_next = 0;
    bool m_inStep = false;
    bool m_timedOut = false;
    DWORD m_start = 0;
    DWORD m_watchdogMs;
    UINT m_tickMs;
    UINT_PTR m_timer = 0;
};

// Top-level windows of this thread of the dialog class, visible, with the given title
// (any title when null).
std::vector<HWND> ThreadDialogs(const char* title = nullptr);
// The first of those, or null.
HWND Dialog(const char* title = nullptr);
// The executable's name without its extension: the title of every message box.
std::string ApplicationName();
// Whether a dialog window is a message box (titled with the application name, holding the
// box's text control).
bool IsMessageBox(HWND dialog);
// The dialog running the innermost modal loop: the visible, enabled dialog of this thread
// that is not a message box (null when none).
HWND ActiveDialog();

std::string WindowText(HWND hWnd);
std::wstring WindowTextW(HWND hWnd);
std::string ItemText(HWND dialog, int id);
std::wstring ItemTextW(HWND dialog, int id);
// The bytes a text has in code page 936, as the window functions receive them.
std::string Gbk(const wchar_t* text);
// Types characters into a control as the keyboard would (WM_CHAR, one per byte).
void TypeChars(HWND control, const char* text);

} // namespace gui
