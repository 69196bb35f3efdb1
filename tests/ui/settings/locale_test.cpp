// Start-up under a real system locale: the settings dialog shows the language the locale
// selects. Run once per locale with LC_ALL set and the expected locale id and language in
// PNPSETUP_EXPECT_LCID and PNPSETUP_EXPECT_LANG ("en" or "zh").
#include <cstdlib>
#include <string>

#include "app/language.h"
#include "app/setup_app.h"
#include "tests/ui/settings/settings_fixture.h"

using gui::GuiDriver;

TEST_F(SettingsTest, StartupShowsTheLanguageOfTheSystemLocale) {
    const char* lcid = std::getenv("PNPSETUP_EXPECT_LCID");
    const char* lang = std::getenv("PNPSETUP_EXPECT_LANG");
    ASSERT_TRUE(lcid && lang) << "run with PNPSETUP_EXPECT_LCID and PNPSETUP_EXPECT_LANG";
    ASSERT_EQ(GetSystemDefaultLCID(), std::strtoul(lcid, nullptr, 16)) << "locale not in effect";
    const bool chinese = std::string(lang) == "zh";
    if (chinese)
        ASSERT_EQ(GetACP(), 936u);

    // Read back as Unicode: under code page 936 the GBK bytes become the Chinese characters.
    const struct {
        int id;
        const wchar_t* english;
        const wchar_t* chinese;
    } captions[] = {
        {1033, L"Active Time:", L"右键时间："},
        {1023, L"Step:", L"步长："},
        {1034, L"Secs.", L"秒"},
        {1027, L"Press:", L"力度："},
        {1028, L"Notice:\n  You should restart the machine to valid Double Click Setup !",
         L"注意：\n       双击设置重启后生效!"},
        {1029, L"Height:", L"高度："},
        {1030, L"Width:", L"宽度："},
        {1031, L"Double Click Setup:", L"双击设置:"},
        {1032, L"Right Click Setup:", L"右键设置:"},
        {IDOK, L"Calibrate", L"校  准"},
        {IDCANCEL, L"Cancel", L"退  出"},
        {1040, L"Save Set", L"保存设置"},
        {1043, L"Touch", L"恢复触摸"},
        {1042, L"UnTouch", L"停止触摸"},
        {1044, L"Draw Test", L"画图测试"},
        {1017, L"PNP", L"PNP"},
    };
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        EXPECT_EQ(gui::WindowTextW(dlg), L"PNP Setup V3.6");
        for (const auto& c : captions)
            EXPECT_EQ(gui::ItemTextW(dlg, c.id), chinese ? c.chinese : c.english) << c.id;
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    drv.Run([] { theApp.InitInstance(); });
    EXPECT_EQ(g_bEnglish, chinese ? 0 : 1);
}
