#include "ui/drawtest/draw_test_dlg.h"

#include "app/language.h"
#include "res/resource.h"

int g_nScreenRight = 0;
int g_nScreenBottom = 0;
BOOL g_bShowGrid = 1;
int g_nGridDivisions = 15;
COLORREF g_crGridPen = RGB(255, 255, 0);
int g_nGridPenWidth = 1;

namespace {

constexpr COLORREF kBackground = RGB(5, 174, 230);
constexpr COLORREF kStroke = RGB(255, 0, 0);
constexpr COLORREF kButtonFace = RGB(124, 194, 245);
constexpr int kButtonPointSize = 120; // tenths of a point

} // namespace

BEGIN_MESSAGE_MAP(CDrawTestDlg, CDialog)
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CDrawTestDlg::CDrawTestDlg(CWnd* pParent) : CDialog(IDD_DRAWTEST, pParent), m_bDrawing(FALSE) {}

CDrawTestDlg::~CDrawTestDlg() = default;

void CDrawTestDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDOK, m_btnClear);
    DDX_Control(pDX, IDCANCEL, m_btnExit);
}

BOOL CDrawTestDlg::OnInitDialog() {
    GetDesktopWindow()->GetWindowRect(&m_rcDesktop);
    SetWindowPos(nullptr, m_rcDesktop.left, m_rcDesktop.top, m_rcDesktop.Width(),
                 m_rcDesktop.Height(), SWP_SHOWWINDOW);
    g_nScreenRight = m_rcDesktop.right;
    g_nScreenBottom = m_rcDesktop.bottom;
    m_bDrawing = FALSE;
    m_ptLast = CPoint(0, 0);

    m_btnClear.m_strCaption = TextPair("CLEAR", "清 除");
    m_btnExit.m_strCaption = TextPair("EXIT", "退 出");
    m_btnClear.SetFaceColor(kButtonFace);
    m_btnExit.SetFaceColor(kButtonFace);

    // A font left from an earlier run of this object belongs to buttons that are gone.
    m_fontButtons.DeleteObject();
    m_fontButtons.CreatePointFont(kButtonPointSize, TextPair("Arial Black", "新宋体"));

    int w8 = m_rcDesktop.Width() / 8;
    int h8 = m_rcDesktop.Height() / 8;
    int w16 = w8 / 2;
    int h16 = h8 / 2;
    int y = m_rcDesktop.bottom - h16 - h8;
    auto font = reinterpret_cast<WPARAM>(static_cast<HFONT>(m_fontButtons));
    CWnd* pClear = GetDlgItem(IDOK);
    pClear->SetWindowPos(nullptr, m_rcDesktop.left + w8, y, w16, h16, 0);
    pClear->SendMessage(WM_SETFONT, font, TRUE);
    CWnd* pExit = GetDlgItem(IDCANCEL);
    pExit->SetWindowPos(nullptr, m_rcDesktop.right - w16 - w8, y, w16, h16, 0);
    pExit->SendMessage(WM_SETFONT, font, TRUE);

    CDialog::OnInitDialog();
    return TRUE;
}

void CDrawTestDlg::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(rcClient, kBackground);
    if (!g_bShowGrid)
        return;

    int n = g_nGridDivisions;
    int colStep = g_nScreenRight / n;
    int rowStep = g_nScreenBottom / n;
    CPen gridPen(PS_SOLID, g_nGridPenWidth, g_crGridPen);
    CPen* pOldPen = dc.SelectObject(&gridPen);
    for (int k = 1; k <= n; ++k) {
        dc.MoveTo(0, k * rowStep);
        dc.LineTo(g_nScreenRight, k * rowStep);
    }
    for (int k = 1; k <= n; ++k) {
        dc.MoveTo(k * colStep, 0);
        dc.LineTo(k * colStep, g_nScreenBottom);
    }
    dc.SelectObject(pOldPen);
    gridPen.DeleteObject();
}

void CDrawTestDlg::DrawSegment(CPoint from, CPoint to) {
    CClientDC dc(this);
    CPen strokePen(PS_SOLID, 1, kStroke);
    CPen* pOldPen = dc.SelectObject(&strokePen);
    dc.MoveTo(from);
    dc.LineTo(to);
    dc.SelectObject(pOldPen);
    strokePen.DeleteObject();
}

void CDrawTestDlg::OnLButtonDown(UINT, CPoint point) {
    m_ptLast = point;
    m_bDrawing = TRUE;
    Default();
}

void CDrawTestDlg::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bDrawing)
        return;
    if (!(nFlags & MK_LBUTTON)) {
        m_bDrawing = FALSE;
        return;
    }
    DrawSegment(m_ptLast, point);
    m_ptLast = point;
}

void CDrawTestDlg::OnLButtonUp(UINT, CPoint point) {
    if (m_bDrawing)
        DrawSegment(m_ptLast, point);
    m_bDrawing = FALSE;
    Default();
}

void CDrawTestDlg::OnOK() {
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDrawTestDlg::OnCancel() {
    CDialog::OnCancel();
}
