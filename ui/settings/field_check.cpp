#include "ui/settings/field_check.h"

bool IsIntegerWithin(const CString& text, int low, int high) {
    if (text.IsEmpty())
        return false;
    long value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        char c = text.GetAt(i);
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > high)
            return false;
    }
    return value >= low;
}
