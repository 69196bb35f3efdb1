// The settings dialog as it opens: fields, ranges, limits, ids and captions.
#include <string>

#include "res/resource.h"
#include "tests/ui/settings/settings_fixture.h"

using gui::GuiDriver;

namespace {

void PressKey(HWND control, UINT vk) {
    SendMessageA(control, WM_KEYDOWN, vk, 1);
    SendMessageA(control, WM_KEYUP, vk, 0xC0000001);
}

} // namespace

struct IdsCase {
    const char* name;
    int productId; // 0: no controller
    const char* vid;
    const char* pid;
};
inline void PrintTo(const IdsCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsOpening : public SettingsTest, public ::testing::WithParamInterface<IdsCase> {};

TEST_P(SettingsOpening, ShowsDefaultsAndTheControllerIds) {
    const IdsCase& c = GetParam();
    bus.AddMouse();
    if (c.productId)
        bus.AddController(static_cast<USHORT>(c.productId));
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        EXPECT_EQ(gui::ItemText(dlg, IDC_RIGHT_CLICK_TIME), "1");
        EXPECT_EQ(gui::ItemText(dlg, IDC_HEIGHT), "32");
        EXPECT_EQ(gui::ItemText(dlg, IDC_WIDTH), "32");
        EXPECT_EQ(gui::ItemText(dlg, IDC_STEP), "12");
        EXPECT_EQ(gui::ItemText(dlg, IDC_PRESS), "16");
        EXPECT_EQ(gui::ItemText(dlg, IDC_VID), c.vid);
        EXPECT_EQ(gui::ItemText(dlg, IDC_PID), c.pid);
        EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_PNP), BST_CHECKED);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_TOUCH)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDC_UNTOUCH)));
        EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDOK));
        // Centred on the screen's work area.
        RECT rc, work;
        GetWindowRect(dlg, &rc);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(std::abs((rc.left + rc.right) - (work.left + work.right)), 2);
        EXPECT_LE(std::abs((rc.top + rc.bottom) - (work.top + work.bottom)), 2);
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(bus.OpenHandleCount(), c.productId ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Controllers, SettingsOpening,
                         ::testing::Values(IdsCase{"ProductId1", 1, "24B8", "0001"},
                                           IdsCase{"ProductId4", 4, "24B8", "0004"},
                                           IdsCase{"NoController", 0, "0000", "0000"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RangeCase {
    int edit;
    int low;
    int high;
};

TEST_F(SettingsTest, UpDownArrowsStopAtTheRangeLimits) {
    const RangeCase cases[] = {{IDC_RIGHT_CLICK_TIME, 0, 10},
                               {IDC_HEIGHT, 0, 99},
                               {IDC_WIDTH, 0, 99},
                               {IDC_STEP, 3, 28},
                               {IDC_PRESS, 1, 28}};
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        for (const RangeCase& c : cases) {
            HWND edit = GetDlgItem(dlg, c.edit);
            SetFocus(edit);
            // Walk up past the top and down past the bottom with the arrow keys.
            for (int i = 0; i < 120; ++i)
                PressKey(edit, VK_UP);
            EXPECT_EQ(gui::WindowText(edit), std::to_string(c.high)) << "edit " << c.edit;
            for (int i = 0; i < 120; ++i)
                PressKey(edit, VK_DOWN);
            EXPECT_EQ(gui::WindowText(edit), std::to_string(c.low)) << "edit " << c.edit;
        }
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    RunSettings(drv);
}

struct TypingCase {
    int edit;
    const char* typed;
    const char* shown;
};

// The step and press fields scroll, so their limit shows in what typing leaves. The time,
// height and width fields do not scroll: they also refuse what does not fit their width,
// which under Wine's wide "System" font is fewer digits than the limit, so for them the
// limit is read back and typing checks one character at a time.
TEST_F(SettingsTest, FieldsLimitWhatCanBeTyped) {
    const TypingCase cases[] = {
        {IDC_STEP, "123", "12"}, {IDC_PRESS, "123", "12"},        {IDC_STEP, "ab", "ab"},
        {IDC_PRESS, "-5", "-5"}, {IDC_RIGHT_CLICK_TIME, "a", ""}, {IDC_RIGHT_CLICK_TIME, "7", "7"},
        {IDC_HEIGHT, "x", ""},   {IDC_HEIGHT, "-", ""},           {IDC_HEIGHT, "5", "5"},
        {IDC_WIDTH, "b", ""},    {IDC_WIDTH, "9", "9"},
    };
    const struct {
        int edit;
        int limit;
    } limits[] = {
        {IDC_RIGHT_CLICK_TIME, 3}, {IDC_HEIGHT, 3}, {IDC_WIDTH, 3}, {IDC_STEP, 2}, {IDC_PRESS, 2}};
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        for (const auto& l : limits)
            EXPECT_EQ(SendDlgItemMessageA(dlg, l.edit, EM_GETLIMITTEXT, 0, 0), l.limit) << l.edit;
        for (const TypingCase& c : cases) {
            HWND edit = GetDlgItem(dlg, c.edit);
            SetFocus(edit);
            SendMessageA(edit, EM_SETSEL, 0, -1);
            SendMessageA(edit, WM_CHAR, VK_BACK, 1);
            gui::TypeChars(edit, c.typed);
            EXPECT_EQ(gui::WindowText(edit), c.shown) << "edit " << c.edit << " typed " << c.typed;
        }
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    RunSettings(drv);
}

struct CaptionCase {
    int id;
    const char* english;
    const wchar_t* chinese;
};

const CaptionCase kCaptions[] = {
    {IDC_LABEL_ACTIVE_TIME, "Active Time:", L"右键时间："},
    {IDC_LABEL_STEP, "Step:", L"步长："},
    {IDC_LABEL_SECS, "Secs.", L"秒"},
    {IDC_LABEL_PRESS, "Press:", L"力度："},
    {IDC_NOTICE, "Notice:\n  You should restart the machine to valid Double Click Setup !",
     L"注意：\n       双击设置重启后生效!"},
    {IDC_LABEL_HEIGHT, "Height:", L"高度："},
    {IDC_LABEL_WIDTH, "Width:", L"宽度："},
    {IDC_GROUP_DOUBLE_CLICK, "Double Click Setup:", L"双击设置:"},
    {IDC_GROUP_RIGHT_CLICK, "Right Click Setup:", L"右键设置:"},
    {IDOK, "Calibrate", L"校  准"},
    {IDCANCEL, "Cancel", L"退  出"},
    {IDC_SAVE_SET, "Save Set", L"保存设置"},
    {IDC_TOUCH, "Touch", L"恢复触摸"},
    {IDC_UNTOUCH, "UnTouch", L"停止触摸"},
    {IDC_DRAW_TEST, "Draw Test", L"画图测试"},
    {IDC_PNP, "PNP", L"PNP"},
};

// The texts that are the same in both languages, found by their text.
void ExpectCommonTexts(HWND dlg) {
    EXPECT_EQ(gui::WindowText(dlg), kSettingsTitle);
    int found = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string text = gui::WindowText(child);
        if (GetDlgCtrlID(child) == 0xFFFF && (text == "VID:" || text == "PID:"))
            ++found;
    }
    EXPECT_EQ(found, 2);
}

class SettingsCaptions : public SettingsTest, public ::testing::WithParamInterface<int> {};

TEST_P(SettingsCaptions, EveryCaptionInTheChosenLanguage) {
    const int english = GetParam();
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        if (!dlg)
            return false;
        for (const CaptionCase& c : kCaptions) {
            std::string expected = english ? c.english : Gbk(c.chinese);
            EXPECT_EQ(gui::ItemText(dlg, c.id), expected) << "control " << c.id;
        }
        ExpectCommonTexts(dlg);
        return GuiDriver::Click(dlg, IDCANCEL);
    });
    RunSettings(drv, english);
}

INSTANTIATE_TEST_SUITE_P(Languages, SettingsCaptions, ::testing::Values(1, 0),
                         [](const auto& info) {
                             return std::string(info.param ? "English" : "Chinese");
                         });

TEST_F(SettingsTest, EnterRunsCalibrateAndKeepsTheDialogOpen) {
    std::string message;
    GuiDriver drv;
    drv.Step([&] {
        HWND dlg = Settings();
        return dlg && PostMessageA(GetDlgItem(dlg, IDOK), WM_KEYDOWN, VK_RETURN, 1);
    });
    drv.Step([&] { return GuiDriver::TakeMessageBox(&message); });
    drv.Step([&] {
        HWND dlg = Settings();
        return dlg && IsWindowEnabled(dlg) && GuiDriver::Click(dlg, IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(message, "Please plug in the device!");
}
