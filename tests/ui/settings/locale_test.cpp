// Start-up under a real system locale: the settings dialog shows the language the locale
// selects. Run once per locale with LC_ALL set.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/language.h"
#include "app/setup_app.h"
#include "tests/ui/settings/settings_fixture.h"

using gui::GuiDriver;

TEST_F(SettingsTest, StartupShowsTheLanguageOfTheSystemLocale) {
    // The locale the run was started under, and what it must give.
    const struct {
        const char* locale;
        LCID lcid;
        bool chinese;
    } locales[] = {{"zh_CN.UTF-8", 0x0804, true},  {"zh_TW.UTF-8", 0x0404, true},
                   {"en_US.UTF-8", 0x0409, false}, {"en_GB.UTF-8", 0x0809, false},
                   {"zh_HK.UTF-8", 0x0C04, false}, {"ja_JP.UTF-8", 0x0411, false}};
    const char* current = std::getenv("LC_ALL");
    ASSERT_NE(current, nullptr) << "run with LC_ALL set to one of the locales";
    const auto* entry = std::find_if(std::begin(locales), std::end(locales), [&](const auto& l) {
        return std::string(l.locale) == current;
    });
    ASSERT_NE(entry, std::end(locales)) << current;
    ASSERT_EQ(GetSystemDefaultLCID(), entry->lcid) << "locale not in effect";
    const bool chinese = entry->chinese;

    // Read back as Unicode. The Chinese captions are GBK bytes handed over unconverted, so
    // the characters seen are what the system's ANSI code page makes of those bytes: the
    // Chinese texts themselves under code page 936, other characters under Taiwan's 950.
    const UINT acp = GetACP();
    auto asShown = [acp](const wchar_t* text) {
        if (acp == 936)
            return std::wstring(text);
        const std::string bytes = gui::Gbk(text);
        std::wstring shown(bytes.size(), L'\0');
        shown.resize(MultiByteToWideChar(acp, 0, bytes.data(), static_cast<int>(bytes.size()),
                                         shown.data(), static_cast<int>(shown.size())));
        return shown;
    };
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
            EXPECT_EQ(gui::ItemTextW(dlg, c.id), chinese ? asShown(c.chinese) : c.english) << c.id;
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    drv.Run([] { theApp.InitInstance(); });
    EXPECT_EQ(g_bEnglish, chinese ? 0 : 1);
}
