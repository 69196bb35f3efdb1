#include "ui/calibration/calibration_dlg.h"

#include "app/language.h"
#include "app/setup_app.h"
#include "framework/gdi.h"
#include "hid/command_channel.h"
#include "res/resource.h"
#include "ui/calibration/memory_dc.h"

int g_nCalibSeconds = 0;
int g_nCalibScreenCx = 0;
int g_nCalibScreenCy = 0;
const COLORREF g_crTargetPen = RGB(255, 255, 0);
const int g_nTargetPenWidth = 2;

namespace {

constexpr COLORREF kBackground = 0x00E6AE05;
constexpr COLORREF kProgress = RGB(255, 0, 0);
constexpr UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

void Tell(const char* english, const char* chinese) {
    AfxMessageBox(TextPair(english, chinese), MB_ICONINFORMATION);
}

} // namespace

BEGIN_MESSAGE_MAP(CCalibrationDlg, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

CCalibrationDlg::CCalibrationDlg(CWnd* pParent)
    : CDialog(IDD_CALIBRATION, pParent), m_bDone(FALSE),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))), m_nTarget(0) {}

BOOL CCalibrationDlg::OnInitDialog() {
    ShowCursor(FALSE);
    // A screen opened after one that ended early still gives its first target the whole
    // timeout and an empty progress line.
    g_nCalibSeconds = 0;

    GetDesktopWindow()->GetWindowRect(&m_rcDesktop);
    SetWindowPos(CWnd::FromHandle(HWND_TOP), m_rcDesktop.left, m_rcDesktop.top, m_rcDesktop.Width(),
                 m_rcDesktop.Height(), SWP_SHOWWINDOW);

    CRect rc;
    GetClientRect(&rc);
    m_rcTarget[0].SetRect(rc.left + 4, rc.top + 4, rc.left + 16, rc.top + 16);
    m_rcTarget[1].SetRect(rc.left + 4, rc.bottom - 16, rc.left + 16, rc.bottom - 4);
    m_rcTarget[2].SetRect(rc.right - 16, rc.bottom - 16, rc.right - 4, rc.bottom - 4);
    m_rcTarget[3].SetRect(rc.right - 16, rc.top + 4, rc.right - 4, rc.top + 16);

    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    g_nCalibScreenCx = GetSystemMetrics(SM_CXSCREEN);
    g_nCalibScreenCy = GetSystemMetrics(SM_CYSCREEN);

    if (!SendCommand(&theApp.g_hidDevice, MakeCommandWord(CMD_START_CALIBRATION)))
        Tell("Send command failure!", "设置开始校准失败!");
    else if (!ReadAnswer(&theApp.g_hidDevice))
        Tell("Can't get the device answer!", "设置开始校准无应答!");
    return TRUE;
}

void CCalibrationDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        int cxIcon = GetSystemMetrics(SM_CXICON);
        int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - cxIcon + 1) / 2;
        int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }

    Default();
    if (g_nCalibSeconds == 0)
        SetTimer(kTimeoutTimer, 10000);
    SetTimer(kTickTimer, 1000);
    if (m_bDone)
        return;

    CDC* pWindowDC = CDC::FromHandle(::GetDC(m_hWnd));
    CRect rcClient;
    GetClientRect(&rcClient);
    CMemoryDC* pDC = new CMemoryDC(pWindowDC, rcClient);

    CPen targetPen(PS_SOLID, g_nTargetPenWidth, g_crTargetPen);
    CPen* pOldPen = pDC->SelectObject(&targetPen);
    pDC->FillSolidRect(0, 0, rcClient.Width(), rcClient.Height(), kBackground);
    pDC->SelectStockObject(NULL_BRUSH);

    const CRect& t = m_rcTarget[m_nTarget];
    pDC->Ellipse(t.left, t.top, t.right, t.bottom);
    int yc = t.top + (t.bottom - t.top) / 2;
    int xc = t.left + (t.right - t.left) / 2;
    pDC->MoveTo(t.left, yc);
    pDC->LineTo(t.right, yc);
    pDC->MoveTo(xc, t.top);
    pDC->LineTo(xc, t.bottom);
    pDC->SelectObject(pOldPen);

    CPen progressPen(PS_SOLID, 2 * g_nTargetPenWidth, kProgress);
    pOldPen = pDC->SelectObject(&progressPen);
    int cx = g_nCalibScreenCx;
    int cy = g_nCalibScreenCy;
    pDC->MoveTo(0, cy - g_nTargetPenWidth);
    pDC->LineTo((cx / 10) * g_nCalibSeconds, cy - g_nTargetPenWidth);
    pDC->SelectObject(pOldPen);

    if (g_bEnglish) {
        pDC->TextOut(cx / 2 - 80, cy / 2 - 15, "Please touch center of circle", 29);
        pDC->TextOut(cx / 2 - 40, cy / 2 + 15, "Press <ESC> Exit", 16);
    } else {
        pDC->TextOut(cx / 2 - 80, cy / 2 - 15, "请用手指触摸校准圆圈中心", 24);
        pDC->TextOut(cx / 2 - 40, cy / 2 + 15, "按<ESC>键退出", 13);
    }

    delete pDC;
    ::ReleaseDC(m_hWnd, pWindowDC->GetSafeHdc());
    // The pens are deleted as they go out of scope: the progress pen, then the target pen.
}

void CCalibrationDlg::OnLButtonUp(UINT, CPoint) {
    Default();
    m_nTarget = static_cast<WORD>((m_nTarget + 1) % 4);
    KillTimer(kTimeoutTimer);
    KillTimer(kTickTimer);
    g_nCalibSeconds = 0;
    if (m_nTarget == 0) {
        m_bDone = TRUE;
        ShowCursor(TRUE);
        KillTimer(kTimeoutTimer);
        KillTimer(kTickTimer);
        CDialog::OnOK();
    }
    RedrawWindow(nullptr, nullptr, kRedraw);
}

void CCalibrationDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimeoutTimer) {
        // Stopped first: while a message box below is open the timer would fire again and
        // send the abort command once more for every ten seconds it stays open.
        KillTimer(kTimeoutTimer);
        if (SendCommand(&theApp.g_hidDevice, MakeCommandWord(CMD_ABORT_CALIBRATION)) &&
            !ReadAnswer(&theApp.g_hidDevice))
            Tell("Can't get the device answer!", "设置中断校准无应答!");
        ShowCursor(TRUE);
        PostMessage(WM_CLOSE);
    } else if (nIDEvent == kTickTimer) {
        ++g_nCalibSeconds;
        RedrawWindow(nullptr, nullptr, kRedraw);
    }
    Default();
}

void CCalibrationDlg::OnDestroy() {
    SetCursorPos((m_rcDesktop.right - m_rcDesktop.left) / 2,
                 (m_rcDesktop.bottom - m_rcDesktop.top) / 2);
    ShowCursor(TRUE);
    if (theApp.g_hidDevice.handle != INVALID_HANDLE_VALUE) {
        if (!SendCommand(&theApp.g_hidDevice, MakeCommandWord(CMD_EXIT_CALIBRATION)))
            Tell("Send command failure!", "设置退出校准失败!");
        else if (!ReadAnswer(&theApp.g_hidDevice))
            Tell("Can't get the device answer!", "设置退出校准无应答!");
    }
    Default();
}
