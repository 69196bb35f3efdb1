// GDI objects: pens, brushes, fonts and bitmaps owned by C++ objects.
//
// An object owns the GDI object it created or attached and deletes it when it is destroyed
// (select it out of every DC first). FromHandle gives the object attached to a handle, or a
// temporary wrapper that owns nothing and is given back after the current message.
#pragma once

#include <windows.h>

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ hObject);

    // Takes ownership of a handle; fails when the object already holds one.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    // Deletes the GDI object held, if any.
    BOOL DeleteObject();

    int GetObject(int size, LPVOID buffer) const;
    BOOL CreateStockObject(int index);
};

// Create* functions fail when the object already holds a GDI object.
class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    // A font of pointSize tenths of a point in the given face, its height converted through
    // the DC's resolution and mapping (the screen's when no DC is given).
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* pDC = nullptr);
    // As above with lfHeight holding the size in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTA* logFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* logFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont);
};

class CBitmap : public CGdiObject {
public:
    // A bitmap of the DC's format (a monochrome one for a DC without a display format).
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    int GetBitmap(BITMAP* bitmap) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);
};
