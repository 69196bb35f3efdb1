#include "app/language.h"

int g_bEnglish = 1;

void ChooseLanguageFor(LCID lcid) {
    if (lcid == 0x0409)
        g_bEnglish = 1;
    else if (lcid == 0x0404 || lcid == 0x0804)
        g_bEnglish = 0;
}

void ChooseLanguage() {
    ChooseLanguageFor(GetSystemDefaultLCID());
}
