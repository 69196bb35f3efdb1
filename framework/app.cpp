#include "framework/app.h"

#include "framework/wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR pszAppName) {
    g_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    if (pszAppName) {
        m_strAppName = pszAppName;
    } else {
        char path[MAX_PATH] = {};
        DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string file(path, n);
        size_t slash = file.find_last_of("\\/");
        if (slash != std::string::npos)
            file.erase(0, slash + 1);
        size_t dot = file.find_last_of('.');
        if (dot != std::string::npos)
            file.erase(dot);
        m_strAppName = file;
    }
    m_pszAppName = m_strAppName.c_str();
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return m_nLastExitCode;
}

int CWinApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_nLastExitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWnd* AfxGetMainWnd() {
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_pApp ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

HWND AfxGetSafeOwner(HWND parent) {
    HWND hWnd = parent;
    if (!hWnd) {
        CWnd* main = AfxGetMainWnd();
        hWnd = main ? main->m_hWnd : nullptr;
    }
    if (!hWnd || !::IsWindow(hWnd))
        return parent;
    while (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        hWnd = ::GetParent(hWnd);
    if (!parent) {
        // A dialog or message box already running over the main window owns the new one.
        HWND popup = ::GetLastActivePopup(hWnd);
        if (popup && ::IsWindowEnabled(popup))
            hWnd = popup;
    }
    return hWnd;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
