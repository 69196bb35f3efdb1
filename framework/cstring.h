// CString: the framework's byte string (ANSI/multibyte text, as the window system takes it).
#pragma once

#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length) : m_str(text ? text : "", text ? length : 0) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int index) const { return m_str[static_cast<size_t>(index)]; }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }

    // printf-style formatting into this string.
    void Format(const char* format, ...);

    // Direct access for window functions that fill a buffer: GetBuffer gives room for at
    // least minLength characters plus the terminator; ReleaseBuffer takes the text's length
    // (-1: up to the first zero byte).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    CString& operator+=(const char* text);
    CString& operator+=(char c);

    friend CString operator+(const CString& a, const char* b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

private:
    std::string m_str;
};
