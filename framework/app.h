// CWinApp: the one application object of the program, and the program's entry point.
//
// AfxWinMain runs InitInstance; when it returns FALSE no message loop runs and ExitInstance
// gives the exit code at once; otherwise Run pumps messages until WM_QUIT, then
// ExitInstance.
#pragma once

#include <string>

#include "framework/cmdtarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // Without a name the application is named after the executable, without its extension.
    explicit CWinApp(LPCSTR pszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    // The look of dialog controls is the system's own three-dimensional one already;
    // kept for programs that ask for it. Always succeeds.
    BOOL Enable3dControlsStatic() { return TRUE; }

    LPCSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

    // The framework's help command: the program ships no help file, so there is nothing
    // to open.
    void OnHelp() {}

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::string m_strAppName;
    int m_nLastExitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Dialog templates here hold no OLE controls, so there is nothing to set up for hosting
// them; kept as the start-up step programs make.
inline void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// The framework's help command id.
constexpr UINT ID_HELP = 0xE146;
