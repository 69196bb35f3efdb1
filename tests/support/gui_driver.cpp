#include "tests/support/gui_driver.h"

#include <gtest/gtest.h>

namespace gui {
namespace {

GuiDriver* g_active = nullptr;
constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialogClass(HWND hWnd) {
    char cls[16] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    return std::string(cls) == "#32770";
}

} // namespace

GuiDriver::GuiDriver(DWORD watchdogMs, UINT tickMs) : m_watchdogMs(watchdogMs), m_tickMs(tickMs) {}

GuiDriver::~GuiDriver() {
    if (m_timer)
        KillTimer(nullptr, m_timer);
    if (g_active == this)
        g_active = nullptr;
}

void GuiDriver::Step(std::function<bool()> step) {
    m_steps.push_back(std::move(step));
}

void GuiDriver::Wait(DWORD ms) {
    auto until = std::make_shared<DWORD>(0);
    Step([until, ms] {
        if (*until == 0)
            *until = GetTickCount() + ms;
        return static_cast<LONG>(GetTickCount() - *until) >= 0;
    });
}

bool GuiDriver::Run(const std::function<void()>& body) {
    g_active = this;
    m_start = GetTickCount();
    m_timer = SetTimer(nullptr, 0, m_tickMs, &GuiDriver::OnTick);
    body();
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    g_active = nullptr;
    // Drop ticks still queued so they do not reach a later driver.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD) && !msg.hwnd) {
    }
    if (m_timedOut)
        ADD_FAILURE() << "GUI driver watchdog: step " << m_next << " of " << m_steps.size()
                      << " did not finish in " << m_watchdogMs << " ms";
    else if (m_next < m_steps.size())
        ADD_FAILURE() << "GUI driver: the modal loop ended before step " << m_next << " of "
                      << m_steps.size() << " could run";
    return !m_timedOut && m_next == m_steps.size();
}

void CALLBACK GuiDriver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_active)
        g_active->Tick();
}

void GuiDriver::Tick() {
    if (m_timedOut || GetTickCount() - m_start > m_watchdogMs) {
        m_timedOut = true;
        CloseEverything();
        return;
    }
    if (m_inStep || m_next >= m_steps.size())
        return;
    m_inStep = true;
    bool done = m_steps[m_next]();
    m_inStep = false;
    if (done)
        ++m_next;
}

void GuiDriver::CloseEverything() {
    for (HWND dlg : ThreadDialogs()) {
        if (IsMessageBox(dlg))
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        else
            EndDialog(dlg, IDCANCEL);
    }
}

bool GuiDriver::Click(HWND dialog, int id) {
    if (!dialog)
        return false;
    HWND control = GetDlgItem(dialog, id);
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != 0;
}

bool GuiDriver::TakeMessageBox(std::string* text, std::wstring* wideText) {
    for (HWND dlg : ThreadDialogs()) {
        if (!IsMessageBox(dlg))
            continue;
        if (text)
            *text = ItemText(dlg, kMessageBoxTextId);
        if (wideText)
            *wideText = ItemTextW(dlg, kMessageBoxTextId);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        return true;
    }
    return false;
}

std::vector<HWND> ThreadDialogs(const char* title) {
    struct Search {
        const char* title;
        std::vector<HWND> found;
    } search{title, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (IsDialogClass(hWnd) && IsWindowVisible(hWnd) &&
                (!s->title || WindowText(hWnd) == s->title))
                s->found.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Dialog(const char* title) {
    auto all = ThreadDialogs(title);
    return all.empty() ? nullptr : all.front();
}

std::string ApplicationName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name.erase(0, name.find_last_of("\\/") + 1);
    return name.substr(0, name.find_last_of('.'));
}

bool IsMessageBox(HWND dialog) {
    // Titled with the application name, holding the box's text control.
    return GetDlgItem(dialog, kMessageBoxTextId) != nullptr &&
           WindowText(dialog) == ApplicationName();
}

HWND ActiveDialog() {
    for (HWND dlg : ThreadDialogs())
        if (!IsMessageBox(dlg) && IsWindowEnabled(dlg))
            return dlg;
    return nullptr;
}

std::string WindowText(HWND hWnd) {
    char buffer[1024] = {};
    GetWindowTextA(hWnd, buffer, sizeof buffer);
    return buffer;
}

std::wstring WindowTextW(HWND hWnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hWnd, buffer, 1024);
    return buffer;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::wstring ItemTextW(HWND dialog, int id) {
    return WindowTextW(GetDlgItem(dialog, id));
}

std::string Gbk(const wchar_t* text) {
    char buffer[512] = {};
    WideCharToMultiByte(936, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

void TypeChars(HWND control, const char* text) {
    for (const char* p = text; *p; ++p)
        SendMessageA(control, WM_CHAR, static_cast<unsigned char>(*p), 1);
}

} // namespace gui
