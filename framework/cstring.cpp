#include "framework/cstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

CString& CString::operator=(const char* text) {
    m_str.assign(text ? text : "");
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
    } else {
        m_str.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(m_str.data(), m_str.size(), format, args);
        m_str.resize(static_cast<size_t>(n));
    }
    va_end(args);
}

char* CString::GetBuffer(int minLength) {
    size_t want = minLength > 0 ? static_cast<size_t>(minLength) : 0;
    if (m_str.size() < want)
        m_str.resize(want);
    return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
    size_t n = newLength < 0 ? std::strlen(m_str.c_str()) : static_cast<size_t>(newLength);
    if (n > m_str.size())
        n = m_str.size();
    m_str.resize(n);
}

CString& CString::operator+=(const char* text) {
    m_str.append(text ? text : "");
    return *this;
}

CString& CString::operator+=(char c) {
    m_str.push_back(c);
    return *this;
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}
