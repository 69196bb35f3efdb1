// Device contexts: CDC over an output DC (where drawing goes) and an attribute DC (what
// queries read; the same handle unless a derived class splits them), and the DCs of a paint
// and of a window's client area.
//
// A CDC owns a DC it created or attached and deletes it when destroyed; CPaintDC and
// CClientDC give theirs back to the window instead. FromHandle gives the object attached to a
// DC handle, or a temporary wrapper that owns nothing and is given back after the current
// message. Settings go to both DCs; queries read the attribute DC.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/gdi_objects.h"
#include "framework/geometry.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;       // output DC
    HDC m_hAttribDC = nullptr; // attribute DC
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    static CDC* FromHandle(HDC hDC);

    // Takes ownership of a DC as output and attribute DC; fails when one is held already.
    BOOL Attach(HDC hDC);
    // Gives up the DC without deleting it.
    HDC Detach();
    // A memory DC compatible with pDC's output DC (with the screen when pDC is null).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;

    // Coordinates
    int SetMapMode(int mapMode);
    int GetMapMode() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;

    // Objects: each selection returns what it replaced (null when the selection failed).
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectStockObject(int index);

    // Colours and text
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text) {
        return TextOut(x, y, text, text.GetLength());
    }
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return DrawText(text, text.GetLength(), rect, format);
    }
    CSize GetTextExtent(LPCSTR text, int count) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const;

    // Drawing
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Rectangle(int left, int top, int right, int bottom);
    void FillRect(LPCRECT rect, CBrush* pBrush);
    // Fills with a colour, which stays the DC's background colour afterwards.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);
    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF color);

private:
    HGDIOBJ SelectGdiObject(HGDIOBJ hObject);
};

// The DC of one paint: BeginPaint at construction, EndPaint at destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// The DC of a window's client area (of the screen for a null window), given back at
// destruction.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
