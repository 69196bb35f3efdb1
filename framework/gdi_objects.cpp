#include "framework/gdi_objects.h"

#include <cstdlib>
#include <cstring>

#include "framework/dc.h"
#include "framework/gdi_map.h"

using GdiObjects = afx::PermanentMap<CGdiObject>;

void afx::SetWrappedHandle(CGdiObject& wrapper, void* handle) {
    wrapper.m_hObject = handle;
}

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return afx::FromHandleOf<CGdiObject, CGdiObject>(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    GdiObjects::Add(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    if (hObject)
        GdiObjects::Remove(hObject, this);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
    return m_hObject ? ::GetObjectA(m_hObject, size, buffer) : 0;
}

BOOL CGdiObject::CreateStockObject(int index) {
    return !m_hObject && Attach(::GetStockObject(index));
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return !m_hObject && Attach(::CreatePen(style, width, color));
}

CPen* CPen::FromHandle(HPEN hPen) {
    return afx::FromHandleOf<CPen, CGdiObject>(hPen);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return !m_hObject && Attach(::CreateSolidBrush(color));
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    return afx::FromHandleOf<CBrush, CGdiObject>(hBrush);
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
    return !m_hObject && logFont && Attach(::CreateFontIndirectA(logFont));
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* pDC) {
    LOGFONTA logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = pointSize;
    if (faceName)
        lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* logFont, CDC* pDC) {
    if (!logFont)
        return FALSE;
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels (720 per inch), then to the DC's logical units,
    // measured from the logical origin so that a shifted window origin does not count. A
    // negative height asks for the character height rather than the cell height.
    POINT size = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont->lfHeight, 720)};
    POINT origin = {0, 0};
    ::DPtoLP(hDC, &size, 1);
    ::DPtoLP(hDC, &origin, 1);
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    LOGFONTA converted = *logFont;
    converted.lfHeight = -std::abs(size.y - origin.y);
    return CreateFontIndirect(&converted);
}

int CFont::GetLogFont(LOGFONTA* logFont) const {
    return GetObject(sizeof(LOGFONTA), logFont);
}

CFont* CFont::FromHandle(HFONT hFont) {
    return afx::FromHandleOf<CFont, CGdiObject>(hFont);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
    return !m_hObject && pDC && Attach(::CreateCompatibleBitmap(pDC->m_hDC, width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const {
    return GetObject(sizeof(BITMAP), bitmap);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    return afx::FromHandleOf<CBitmap, CGdiObject>(hBitmap);
}
