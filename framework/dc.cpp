#include "framework/dc.h"

#include "framework/gdi_map.h"
#include "framework/wnd.h"

using PermanentDCs = afx::PermanentMap<CDC>;

void afx::SetWrappedHandle(CDC& wrapper, void* handle) {
    wrapper.m_hDC = static_cast<HDC>(handle);
    wrapper.m_hAttribDC = static_cast<HDC>(handle);
}

namespace {

// A setting made on the output DC (when it is a separate one) and on the attribute DC; the
// value returned is the attribute DC's previous one.
template <class Set> auto SetBoth(HDC output, HDC attrib, Set set) {
    if (output && output != attrib)
        set(output);
    return set(attrib);
}

} // namespace

CDC::~CDC() {
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) {
    return afx::FromHandleOf<CDC, CDC>(hDC);
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    PermanentDCs::Add(hDC, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC)
        PermanentDCs::Remove(hDC, this);
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (m_hDC)
        return FALSE;
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
    if (m_hDC && m_hDC != m_hAttribDC)
        ::SaveDC(m_hDC);
    return m_hAttribDC ? ::SaveDC(m_hAttribDC) : 0;
}

BOOL CDC::RestoreDC(int savedDC) {
    BOOL ok = TRUE;
    if (m_hDC && m_hDC != m_hAttribDC)
        ok = ::RestoreDC(m_hDC, savedDC);
    if (m_hAttribDC)
        ok = ::RestoreDC(m_hAttribDC, savedDC) && ok;
    return ok;
}

int CDC::GetDeviceCaps(int index) const {
    return ::GetDeviceCaps(m_hAttribDC, index);
}

int CDC::SetMapMode(int mapMode) {
    return SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetMapMode(dc, mapMode); });
}

int CDC::GetMapMode() const {
    return ::GetMapMode(m_hAttribDC);
}

CSize CDC::SetWindowExt(int cx, int cy) {
    CSize previous;
    SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetWindowExtEx(dc, cx, cy, &previous); });
    return previous;
}

CSize CDC::GetWindowExt() const {
    CSize size;
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    CSize previous;
    SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetViewportExtEx(dc, cx, cy, &previous); });
    return previous;
}

CSize CDC::GetViewportExt() const {
    CSize size;
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    CPoint previous;
    SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetWindowOrgEx(dc, x, y, &previous); });
    return previous;
}

CPoint CDC::GetWindowOrg() const {
    CPoint origin;
    ::GetWindowOrgEx(m_hAttribDC, &origin);
    return origin;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    CPoint previous;
    SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetViewportOrgEx(dc, x, y, &previous); });
    return previous;
}

CPoint CDC::GetViewportOrg() const {
    CPoint origin;
    ::GetViewportOrgEx(m_hAttribDC, &origin);
    return origin;
}

void CDC::LPtoDP(LPPOINT points, int count) const {
    ::LPtoDP(m_hAttribDC, points, count);
}

void CDC::LPtoDP(LPRECT rect) const {
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::DPtoLP(LPPOINT points, int count) const {
    ::DPtoLP(m_hAttribDC, points, count);
}

void CDC::DPtoLP(LPRECT rect) const {
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}

HGDIOBJ CDC::SelectGdiObject(HGDIOBJ hObject) {
    return SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SelectObject(dc, hObject); });
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle(static_cast<HPEN>(SelectGdiObject(pPen ? pPen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle(
        static_cast<HBRUSH>(SelectGdiObject(pBrush ? pBrush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle(
        static_cast<HFONT>(SelectGdiObject(pFont ? pFont->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle(
        static_cast<HBITMAP>(SelectGdiObject(pBitmap ? pBitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    return stock ? CGdiObject::FromHandle(SelectGdiObject(stock)) : nullptr;
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetTextColor(dc, color); });
}

COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hAttribDC);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetBkColor(dc, color); });
}

COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hAttribDC);
}

int CDC::SetBkMode(int mode) {
    return SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::SetBkMode(dc, mode); });
}

int CDC::GetBkMode() const {
    return ::GetBkMode(m_hAttribDC);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    return ::TextOutA(m_hDC, x, y, text, count);
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, count, rect, format);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const {
    CSize size;
    ::GetTextExtentPoint32A(m_hAttribDC, text, count, &size);
    return size;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA metrics) const {
    return ::GetTextMetricsA(m_hAttribDC, metrics);
}

CPoint CDC::MoveTo(int x, int y) {
    CPoint previous;
    SetBoth(m_hDC, m_hAttribDC, [&](HDC dc) { return ::MoveToEx(dc, x, y, &previous); });
    return previous;
}

BOOL CDC::LineTo(int x, int y) {
    // The attribute DC keeps the current position in step with the output DC.
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    return ::Ellipse(m_hDC, left, top, right, bottom);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    return ::Rectangle(m_hDC, left, top, right, bottom);
}

void CDC::FillRect(LPCRECT rect, CBrush* pBrush) {
    ::FillRect(m_hDC, rect, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    SetBkColor(color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, color);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    return ::DrawEdge(m_hDC, rect, edge, flags);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return ::DrawIcon(m_hDC, x, y, icon);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, rop);
}

COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    return ::SetPixel(m_hDC, x, y, color);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{}, m_hWnd(pWnd->m_hWnd) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC) {
    return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}
