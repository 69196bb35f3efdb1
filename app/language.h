// The display language, chosen once at start from the system default locale, and the rule by
// which every text is picked from its English/Chinese pair.
#pragma once

#include <windows.h>

// Non-zero: English texts; 0: Chinese texts (GBK byte strings).
extern int g_bEnglish;

// Sets g_bEnglish from the system default locale.
void ChooseLanguage();
// The rule itself, for one locale id: 0x0409 selects English, 0x0404 and 0x0804 Chinese;
// any other id leaves the flag as it is.
void ChooseLanguageFor(LCID lcid);

// The member of a text pair that the language flag selects now.
inline const char* TextPair(const char* english, const char* chinese) {
    return g_bEnglish ? english : chinese;
}
