// The draw test in Chinese: the captions and the font face of the Chinese texts, as GBK
// bytes and, where the system's code page is 936, as the window system reads them.
#include <gtest/gtest.h>

#include <string>

#include "app/language.h"
#include "tests/support/gui_driver.h"
#include "tests/ui/drawtest/draw_test_fixture.h"

namespace {

std::wstring FromGbk(const char* text) {
    wchar_t wide[64] = {};
    MultiByteToWideChar(936, 0, text, -1, wide, 64);
    return wide;
}

TEST(DrawTestChinese, CaptionsAndFontAreChinese) {
    int saved = g_bEnglish;
    g_bEnglish = 0;
    ProbeDrawTest dlg;
    gui::GuiDriver drv;
    drv.Step([&] { return Painted(dlg.m_hWnd); });
    drv.Step([&] {
        EXPECT_EQ(FromGbk(dlg.m_btnClear.m_strCaption), L"清 除");
        EXPECT_EQ(FromGbk(dlg.m_btnExit.m_strCaption), L"退 出");
        auto font =
            reinterpret_cast<HGDIOBJ>(SendMessageA(GetDlgItem(dlg.m_hWnd, IDOK), WM_GETFONT, 0, 0));
        LOGFONTA lf = {};
        GetObjectA(font, sizeof lf, &lf);
        EXPECT_EQ(FromGbk(lf.lfFaceName), L"新宋体");
        // Under a zh_CN locale this part must run, not be skipped unnoticed.
        char locale[32] = {};
        GetEnvironmentVariableA("LC_ALL", locale, sizeof locale);
        if (std::string(locale).rfind("zh_CN", 0) == 0) {
            EXPECT_EQ(GetACP(), 936u);
        }
        if (GetACP() == 936) {
            LOGFONTW wide = {};
            GetObjectW(font, sizeof wide, &wide);
            EXPECT_STREQ(wide.lfFaceName, L"新宋体");
        }
        // The captions are drawn.
        gui::Picture pic = gui::CaptureClient(dlg.m_hWnd);
        for (int id : {IDOK, IDCANCEL})
            EXPECT_GT(pic.Count(ChildRect(dlg.m_hWnd, id), GetSysColor(COLOR_BTNTEXT)), 10);
        return gui::GuiDriver::Click(dlg.m_hWnd, IDCANCEL);
    });
    EXPECT_TRUE(drv.Run([&] { dlg.DoModal(); }));
    g_bEnglish = saved;
}

} // namespace
