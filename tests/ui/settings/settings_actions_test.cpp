// The settings dialog's actions against a virtual controller and the real registry.
#include <string>
#include <vector>

#include "app/language.h"
#include "res/resource.h"
#include "tests/support/desktop.h"
#include "tests/support/resource_counters.h"
#include "tests/ui/settings/settings_fixture.h"
#include "ui/settings/setup_dlg.h"

using gui::GuiDriver;
using Words = std::vector<ULONG>;

namespace {

const char* kMouseKey = "Control Panel\\Mouse";

std::string ReadMouseValue(const char* name) {
    char data[64] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMouseKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "<no key>";
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return "<missing>";
    if (type != REG_SZ)
        return "<not a string>";
    if (size != strlen(data) + 1) // the text and its terminating zero, nothing more or less
        return "<" + std::to_string(size) + " bytes for \"" + data + "\">";
    return data;
}

void WriteMouseValues(const char* height, const char* width) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kMouseKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "DoubleClickHeight", 0, REG_SZ, reinterpret_cast<const BYTE*>(height),
                   static_cast<DWORD>(strlen(height) + 1));
    RegSetValueExA(key, "DoubleClickWidth", 0, REG_SZ, reinterpret_cast<const BYTE*>(width),
                   static_cast<DWORD>(strlen(width) + 1));
    RegCloseKey(key);
}

HWND CalibrationScreen() {
    return gui::Dialog("");
}

// Sets a field's text as a paste or a program would, past the keyboard filter.
void SetField(int id, const char* text) {
    SendMessageA(GetDlgItem(gui::Dialog(kSettingsTitle), id), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text));
}

} // namespace

class SettingsActions : public SettingsTest {
protected:
    void SetUp() override {
        WriteMouseValues("4", "4");
        bus.AddMouse();
        ctl = &bus.AddController(1);
    }
    void TearDown() override {
        WriteMouseValues("4", "4");
        SettingsTest::TearDown();
    }

    // A step that clicks a settings button.
    static bool ClickSettings(int id) {
        HWND dlg = Settings();
        return dlg && IsWindowEnabled(dlg) && GuiDriver::Click(dlg, id);
    }
    // Clicks, then takes the message box that follows into `message` (or waits a moment and
    // records that none came).
    void ClickAndTakeMessage(GuiDriver& drv, int id, std::string* message) {
        drv.Step([id] { return ClickSettings(id); });
        auto waited = std::make_shared<int>(0);
        drv.Step([message, waited] {
            if (GuiDriver::TakeMessageBox(message))
                return true;
            // Nothing came within a quarter of a second (the action runs synchronously).
            return ++*waited > 15 && Settings() && IsWindowEnabled(Settings());
        });
    }
    void Exit(GuiDriver& drv) {
        drv.Step([] { return ClickSettings(IDCANCEL); });
    }

    VirtualController* ctl = nullptr;
};

TEST_F(SettingsActions, CalibrateWritesTheAreaSendsTheSettingsAndOpensTheScreen) {
    Words beforeScreen;
    bool settingsDisabled = false;
    GuiDriver drv;
    drv.Step([] { return ClickSettings(IDOK); });
    drv.Step([&] {
        HWND screen = CalibrationScreen();
        if (!screen)
            return false;
        beforeScreen = ctl->AcceptedWords();
        settingsDisabled = !IsWindowEnabled(Settings());
        EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "32");
        EXPECT_EQ(ReadMouseValue("DoubleClickWidth"), "32");
        return PostMessageA(screen, WM_KEYDOWN, VK_ESCAPE, 1) != 0;
    });
    drv.Step([] { return !CalibrationScreen() && ClickSettings(IDCANCEL); });
    RunSettings(drv);
    EXPECT_EQ(beforeScreen, (Words{0x0A01, 0x0105, 0x0C06, 0x1008, 0x0080}));
    EXPECT_TRUE(settingsDisabled);
    EXPECT_EQ(ctl->AcceptedWords(), (Words{0x0A01, 0x0105, 0x0C06, 0x1008, 0x0080, 0x00C0}));
    EXPECT_FALSE(ctl->Calibrating());
}

TEST_F(SettingsActions, SaveSetSendsTheSettingsAndTheSaveCommandQuietly) {
    std::string message = "none";
    bool screenSeen = false;
    GuiDriver drv;
    ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
    drv.Step([&] {
        screenSeen = CalibrationScreen() != nullptr;
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(message, "none");
    EXPECT_FALSE(screenSeen);
    EXPECT_EQ(ctl->AcceptedWords(), (Words{0x0A01, 0x0105, 0x0C06, 0x1008, 0x0109}));
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "32");
    EXPECT_EQ(ReadMouseValue("DoubleClickWidth"), "32");
    EXPECT_EQ(ctl->KeptSettings(), ctl->Settings());
}

TEST_F(SettingsActions, ValuesTravelAsTyped) {
    struct Case {
        const char* time;
        const char* step;
        const char* press;
        bool pnp;
        const char* height;
        Words words;
    };
    const Case cases[] = {
        {"25", "3", "28", true, "007", {0xFA01, 0x0105, 0x0306, 0x1C08, 0x0109}},
        {"0", "99", "0", false, "0", {0x0001, 0x0005, 0x6306, 0x0008, 0x0109}},
        {"11", "12", "16", true, "999", {0x6E01, 0x0105, 0x0C06, 0x1008, 0x0109}},
    };
    for (const Case& c : cases) {
        ctl->ClearTransfers();
        std::string message = "none";
        GuiDriver drv;
        drv.Step([&] {
            HWND dlg = Settings();
            if (!dlg)
                return false;
            SetField(IDC_RIGHT_CLICK_TIME, c.time);
            SetField(IDC_STEP, c.step);
            SetField(IDC_PRESS, c.press);
            SetField(IDC_HEIGHT, c.height);
            CheckDlgButton(dlg, IDC_PNP, c.pnp ? BST_CHECKED : BST_UNCHECKED);
            return true;
        });
        ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
        Exit(drv);
        RunSettings(drv);
        EXPECT_EQ(message, "none") << c.time;
        EXPECT_EQ(ctl->AcceptedWords(), c.words) << c.time;
        EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), c.height);
        EXPECT_EQ(ctl->KeptSettings().rightClickTime, c.words[0] >> 8) << c.time;
        ReleaseHidDevice(&theApp.g_hidDevice, 1);
    }
}

struct FailCase {
    BYTE opcode;
    const wchar_t* chinese;
    size_t sentBefore;
};
inline void PrintTo(const FailCase& c, std::ostream* os) {
    *os << "opcode " << int(c.opcode);
}

class SettingsCommandFails : public SettingsActions,
                             public ::testing::WithParamInterface<std::tuple<FailCase, int>> {};

TEST_P(SettingsCommandFails, ShowsItsMessageAndSendsNothingAfter) {
    const FailCase& c = std::get<0>(GetParam());
    const int english = std::get<1>(GetParam());
    ctl->RefuseSets(OpcodeSet::Of({c.opcode}));
    std::string message;
    GuiDriver drv;
    ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
    Exit(drv);
    RunSettings(drv, english);
    EXPECT_EQ(message, english ? "Send command failure !" : Gbk(c.chinese));
    const Words all = {0x0A01, 0x0105, 0x0C06, 0x1008, 0x0109};
    EXPECT_EQ(ctl->AcceptedWords(), Words(all.begin(), all.begin() + c.sentBefore));
    ASSERT_FALSE(ctl->Transfers().empty());
    EXPECT_TRUE(ctl->Transfers().back().refused); // the failing one was the last transfer
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SettingsCommandFails,
    ::testing::Combine(::testing::Values(FailCase{0x01, L"设置右键失败!", 0},
                                         FailCase{0x05, L"设置PNP失败!", 1},
                                         FailCase{0x06, L"设置步长失败!", 2},
                                         FailCase{0x08, L"设置触摸力度失败!", 3},
                                         FailCase{0x09, L"设置保存参数失败!", 4}),
                       ::testing::Values(1, 0)),
    [](const auto& info) {
        char name[32];
        snprintf(name, sizeof name, "Opcode%02X_%s", std::get<0>(info.param).opcode,
                 std::get<1>(info.param) ? "English" : "Chinese");
        return std::string(name);
    });

TEST_F(SettingsActions, CalibrateStopsAtAFailedSettingWithoutTheScreen) {
    ctl->RefuseSets(OpcodeSet::Of({0x06}));
    std::string message;
    bool screenSeen = false;
    GuiDriver drv;
    ClickAndTakeMessage(drv, IDOK, &message);
    drv.Step([&] {
        screenSeen = CalibrationScreen() != nullptr;
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(message, "Send command failure !");
    EXPECT_FALSE(screenSeen);
    EXPECT_EQ(ctl->AcceptedWords(), (Words{0x0A01, 0x0105}));
}

// Calibrate or Save Set first, in either language; then Save Set once a controller is there.
class SettingsNoController : public SettingsTest,
                             public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(SettingsNoController, AsksForTheDeviceThenFindsOnePluggedInLater) {
    const int english = std::get<0>(GetParam());
    const int button = std::get<1>(GetParam());
    WriteMouseValues("4", "4");
    bus.AddMouse();
    std::string first, second = "none";
    VirtualController* later = nullptr;
    HANDLE handleAfterFailure = nullptr;
    GuiDriver drv;
    drv.Step([button] { return Settings() && GuiDriver::Click(Settings(), button); });
    drv.Step([&] { return GuiDriver::TakeMessageBox(&first); });
    drv.Step([&] {
        if (!Settings() || !IsWindowEnabled(Settings()))
            return false;
        handleAfterFailure = theApp.g_hidDevice.handle;
        EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "4");
        later = &bus.AddController(4);
        return GuiDriver::Click(Settings(), IDC_SAVE_SET);
    });
    drv.Wait(300);
    drv.Step([&] {
        GuiDriver::TakeMessageBox(&second);
        EXPECT_EQ(gui::ItemText(Settings(), IDC_VID), "0000");
        EXPECT_EQ(gui::ItemText(Settings(), IDC_PID), "0000");
        return GuiDriver::Click(Settings(), IDCANCEL);
    });
    RunSettings(drv, english);
    EXPECT_EQ(first, english ? "Please plug in the device!" : Gbk(L"请接入Zenkora触摸屏设备!"));
    EXPECT_EQ(handleAfterFailure, INVALID_HANDLE_VALUE);
    EXPECT_EQ(second, "none");
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->AcceptedWords(), (Words{0x0A01, 0x0105, 0x0C06, 0x1008, 0x0109}));
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "32");
    WriteMouseValues("4", "4");
}

INSTANTIATE_TEST_SUITE_P(Languages, SettingsNoController,
                         ::testing::Combine(::testing::Values(1, 0),
                                            ::testing::Values(IDOK, IDC_SAVE_SET)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) ? "English" : "Chinese") +
                                    (std::get<1>(info.param) == IDOK ? "_Calibrate" : "_SaveSet");
                         });

TEST_F(SettingsActions, AMissingRegistryKeyIsNotReportedAndTheCommandsGoOut) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kMouseKey);
    ASSERT_EQ(ReadMouseValue("DoubleClickHeight"), "<no key>");
    std::string message = "none";
    GuiDriver drv;
    ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
    Exit(drv);
    RunSettings(drv);
    EXPECT_EQ(message, "none");
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "<no key>");
    EXPECT_EQ(ctl->AcceptedWords(), (Words{0x0A01, 0x0105, 0x0C06, 0x1008, 0x0109}));
}

struct BadField {
    int id;
    const char* text;
    const char* english;
    const wchar_t* chinese;
};
inline void PrintTo(const BadField& c, std::ostream* os) {
    *os << c.id << " \"" << c.text << "\"";
}

class SettingsFieldCheck : public SettingsActions,
                           public ::testing::WithParamInterface<std::tuple<BadField, int, int>> {};

TEST_P(SettingsFieldCheck, RefusesAValueThatCannotTravelAsTyped) {
    const BadField& c = std::get<0>(GetParam());
    const int english = std::get<1>(GetParam());
    const int action = std::get<2>(GetParam());
    std::string message;
    HWND focus = nullptr, field = nullptr;
    DWORD selStart = 1, selEnd = 0;
    GuiDriver drv;
    drv.Step([&] {
        if (!Settings())
            return false;
        SetField(c.id, c.text);
        bus.ClearEvents();
        ctl->ClearTransfers();
        return true;
    });
    ClickAndTakeMessage(drv, action, &message);
    drv.Wait(200); // the dialog is active again
    drv.Step([&] {
        field = GetDlgItem(Settings(), c.id);
        focus = GetFocus();
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                     reinterpret_cast<LPARAM>(&selEnd));
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv, english);
    EXPECT_EQ(message, english ? c.english : Gbk(c.chinese));
    EXPECT_EQ(focus, field);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, strlen(c.text));
    EXPECT_TRUE(ctl->Transfers().empty());
    EXPECT_TRUE(bus.Events().empty()) << "no reconnection";
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "4");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsFieldCheck,
    ::testing::Combine(
        ::testing::Values(BadField{IDC_RIGHT_CLICK_TIME, "26",
                                   "Please enter an integer between 0 and 25.",
                                   L"请输入0到25之间的整数!"},
                          BadField{IDC_HEIGHT, "", "Please enter an integer between 0 and 999.",
                                   L"请输入0到999之间的整数!"},
                          BadField{IDC_WIDTH, "-1", "Please enter an integer between 0 and 999.",
                                   L"请输入0到999之间的整数!"},
                          BadField{IDC_STEP, "-5", "Please enter an integer between 0 and 99.",
                                   L"请输入0到99之间的整数!"},
                          BadField{IDC_STEP, "ab", "Please enter an integer between 0 and 99.",
                                   L"请输入0到99之间的整数!"},
                          BadField{IDC_PRESS, "", "Please enter an integer between 0 and 99.",
                                   L"请输入0到99之间的整数!"},
                          BadField{IDC_PRESS, " 5", "Please enter an integer between 0 and 99.",
                                   L"请输入0到99之间的整数!"}),
        ::testing::Values(1, 0), ::testing::Values(IDOK, IDC_SAVE_SET)),
    [](const auto& info) {
        const BadField& f = std::get<0>(info.param);
        std::string name = "Field";
        name += std::to_string(f.id);
        name += "_Case";
        name += std::to_string(info.index);
        name += std::get<1>(info.param) ? "_English" : "_Chinese";
        return name + (std::get<2>(info.param) == IDOK ? "_Calibrate" : "_SaveSet");
    });

TEST_F(SettingsActions, TheFirstBadFieldInExchangeOrderIsTheOneReported) {
    std::string message;
    HWND focus = nullptr, expected = nullptr;
    GuiDriver drv;
    drv.Step([&] {
        if (!Settings())
            return false;
        SetField(IDC_PRESS, "");
        SetField(IDC_WIDTH, "x");
        SetField(IDC_RIGHT_CLICK_TIME, "99");
        return true;
    });
    ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
    drv.Wait(200); // the dialog is active again
    drv.Step([&] {
        focus = GetFocus();
        expected = GetDlgItem(Settings(), IDC_RIGHT_CLICK_TIME);
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(message, "Please enter an integer between 0 and 25.");
    EXPECT_NE(expected, nullptr);
    EXPECT_EQ(focus, expected);
}

TEST_F(SettingsActions, ATextTooLongForItsFieldEndsTheAction) {
    std::string message;
    GuiDriver drv;
    drv.Step([] {
        if (!Settings())
            return false;
        SetField(IDC_STEP, "123"); // by message: the field itself takes two characters
        return true;
    });
    ClickAndTakeMessage(drv, IDC_SAVE_SET, &message);
    Exit(drv);
    RunSettings(drv);
    EXPECT_EQ(message, "Please enter no more than 2 characters.");
    EXPECT_TRUE(ctl->Transfers().empty());
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "4");
}

// The touch-output state as the dialog shows it, checked against the invariant.
bool TouchShownOn() {
    HWND dlg = gui::Dialog(kSettingsTitle);
    bool untouch = IsWindowEnabled(GetDlgItem(dlg, IDC_UNTOUCH));
    bool touch = IsWindowEnabled(GetDlgItem(dlg, IDC_TOUCH));
    EXPECT_NE(untouch, touch);
    EXPECT_EQ(g_bTouchEnabled, untouch ? 1 : 0);
    return untouch;
}

enum class Condition { NotFound, NoAnswer, Answer, SendFails };

struct TouchRow {
    const char* name;
    bool startOn;
    int button; // IDC_UNTOUCH, IDC_TOUCH or IDCANCEL
    Condition condition;
    const char* message; // English; "none" for no message
    const wchar_t* chinese;
    bool endsOn; // touch state shown afterwards (when the dialog stays open)
    bool closes; // the dialog ended
    Words words; // sent by the event
};
inline void PrintTo(const TouchRow& r, std::ostream* os) {
    *os << r.name;
}

class SettingsTouchStates : public SettingsActions,
                            public ::testing::WithParamInterface<std::tuple<TouchRow, int>> {};

TEST_P(SettingsTouchStates, FollowsTheStateTable) {
    const TouchRow& r = std::get<0>(GetParam());
    const int english = std::get<1>(GetParam());
    std::string message = "none";
    bool shownOn = !r.endsOn;
    HANDLE handleAfter = nullptr;
    GuiDriver drv;
    if (!r.startOn) {
        drv.Step([] { return ClickSettings(IDC_UNTOUCH); });
        drv.Step([] { return Settings() && !TouchShownOn(); });
    }
    drv.Step([&] {
        if (!Settings())
            return false;
        ctl->ClearTransfers();
        switch (r.condition) {
        case Condition::NotFound:
            ctl->Unplug();
            break;
        case Condition::NoAnswer:
            ctl->RefuseReads(OpcodeSet::All());
            break;
        case Condition::SendFails:
            ctl->RefuseSets(OpcodeSet::All());
            break;
        case Condition::Answer:
            break;
        }
        return true;
    });
    if (r.closes) // nothing runs after the dialog has ended
        drv.Step([&] { return ClickSettings(r.button); });
    else
        ClickAndTakeMessage(drv, r.button, &message);
    if (!r.closes) {
        drv.Step([&] {
            shownOn = TouchShownOn();
            handleAfter = theApp.g_hidDevice.handle;
            ctl->RefuseReads({});
            ctl->RefuseSets({});
            if (!ctl->IsPresent())
                ctl->Plug();
            ctl->Unplug(); // leave without sending anything more
            return ClickSettings(IDCANCEL);
        });
    }
    RunSettings(drv, english);
    std::string expected = r.message;
    if (!english && r.chinese)
        expected = Gbk(r.chinese);
    EXPECT_EQ(message, expected);
    EXPECT_EQ(Settings(), nullptr);
    if (!r.closes) {
        EXPECT_EQ(shownOn, r.endsOn);
        // The calibration screen and Exit go by this handle.
        if (r.condition == Condition::NotFound)
            EXPECT_EQ(handleAfter, INVALID_HANDLE_VALUE);
    }
    Words sent;
    for (const ControllerTransfer& t : ctl->Transfers())
        if (t.kind == ControllerTransfer::Set && !t.words.empty())
            sent.push_back(t.words[0]);
    EXPECT_EQ(sent, r.words);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsTouchStates,
    ::testing::Combine(
        ::testing::Values(
            TouchRow{"OnUnTouchNotFound",
                     true,
                     IDC_UNTOUCH,
                     Condition::NotFound,
                     "Please plug in the device!",
                     L"请接入Zenkora触摸屏设备!",
                     true,
                     false,
                     {}},
            TouchRow{"OnUnTouchNoAnswer",
                     true,
                     IDC_UNTOUCH,
                     Condition::NoAnswer,
                     "Can't get the device answer!",
                     L"设置停止触摸无应答!",
                     true,
                     false,
                     {0x0010}},
            TouchRow{"OnUnTouchAnswer",
                     true,
                     IDC_UNTOUCH,
                     Condition::Answer,
                     "none",
                     nullptr,
                     false,
                     false,
                     {0x0010}},
            TouchRow{"OnUnTouchSendFails",
                     true,
                     IDC_UNTOUCH,
                     Condition::SendFails,
                     "Send command failure !",
                     L"设置停止触摸失败!",
                     true,
                     false,
                     {0x0010}},
            TouchRow{"OffTouchNotFound",
                     false,
                     IDC_TOUCH,
                     Condition::NotFound,
                     "Please plug in the device!",
                     L"请接入Zenkora触摸屏设备!",
                     false,
                     false,
                     {}},
            TouchRow{"OffTouchNoAnswer",
                     false,
                     IDC_TOUCH,
                     Condition::NoAnswer,
                     "Can't get the device answer!",
                     L"设置恢复触摸无应答!",
                     false,
                     false,
                     {0x0110}},
            TouchRow{"OffTouchAnswer",
                     false,
                     IDC_TOUCH,
                     Condition::Answer,
                     "none",
                     nullptr,
                     true,
                     false,
                     {0x0110}},
            TouchRow{"OffTouchSendFails",
                     false,
                     IDC_TOUCH,
                     Condition::SendFails,
                     "Send command failure !",
                     L"设置恢复触摸失败!",
                     false,
                     false,
                     {0x0110}},
            TouchRow{"OnExit", true, IDCANCEL, Condition::Answer, "none", nullptr, true, true, {}},
            TouchRow{"OffExitNoAnswer",
                     false,
                     IDCANCEL,
                     Condition::NoAnswer,
                     "Can't get the device answer!",
                     L"设置恢复触摸无应答!",
                     false,
                     false,
                     {0x0110}},
            TouchRow{"OffExitAnswer",
                     false,
                     IDCANCEL,
                     Condition::Answer,
                     "none",
                     nullptr,
                     true,
                     true,
                     {0x0110}},
            TouchRow{"OffExitSendFails",
                     false,
                     IDCANCEL,
                     Condition::SendFails,
                     "none",
                     nullptr,
                     false,
                     true,
                     {0x0110}}),
        ::testing::Values(1, 0)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_English" : "_Chinese");
    });

TEST_F(SettingsActions, AnUnansweredRestoreIsSentAgainAtEveryWayOut) {
    using Close = void (*)(HWND);
    const Close attempts[] = {
        [](HWND dlg) { GuiDriver::Click(dlg, IDCANCEL); },
        [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDOK), WM_KEYDOWN, VK_ESCAPE, 1); },
        [](HWND dlg) { PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    std::vector<std::string> messages;
    GuiDriver drv;
    drv.Step([] { return ClickSettings(IDC_UNTOUCH); });
    drv.Step([&] {
        if (!Settings() || TouchShownOn())
            return false;
        ctl->ClearTransfers();
        ctl->RefuseReads(OpcodeSet::All());
        return true;
    });
    for (Close close : attempts) {
        drv.Step([close] {
            HWND dlg = Settings();
            if (!dlg || !IsWindowEnabled(dlg))
                return false;
            close(dlg);
            return true;
        });
        drv.Step([&] {
            std::string text;
            if (!GuiDriver::TakeMessageBox(&text))
                return false;
            messages.push_back(text);
            return true;
        });
    }
    drv.Step([&] {
        if (!Settings() || !IsWindowEnabled(Settings()))
            return false;
        ctl->RefuseReads({});
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_EQ(messages, std::vector<std::string>(3, "Can't get the device answer!"));
    EXPECT_EQ(ctl->AcceptedWords(), (Words{0x0110, 0x0110, 0x0110, 0x0110}));
    EXPECT_TRUE(ctl->TouchEnabled());
}

TEST_F(SettingsActions, UnTouchThenTouchSendsNothingAtExit) {
    GuiDriver drv;
    drv.Step([] { return ClickSettings(IDC_UNTOUCH); });
    drv.Step([] { return Settings() && !TouchShownOn() && ClickSettings(IDC_TOUCH); });
    drv.Step([&] {
        if (!Settings() || !TouchShownOn())
            return false;
        ctl->ClearTransfers();
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_TRUE(ctl->Transfers().empty());
    EXPECT_TRUE(ctl->TouchEnabled());
}

TEST_F(SettingsActions, TheFocusPassesToTheButtonThatTakesOver) {
    bool touchFocused = false, unTouchFocused = false;
    GuiDriver drv;
    drv.Step([] {
        if (!Settings())
            return false;
        SetFocus(GetDlgItem(Settings(), IDC_UNTOUCH)); // where a click leaves it
        return ClickSettings(IDC_UNTOUCH);
    });
    drv.Step([&] {
        if (!Settings() || TouchShownOn())
            return false;
        touchFocused = GetFocus() == GetDlgItem(Settings(), IDC_TOUCH);
        return ClickSettings(IDC_TOUCH);
    });
    drv.Step([&] {
        if (!Settings() || !TouchShownOn())
            return false;
        unTouchFocused = GetFocus() == GetDlgItem(Settings(), IDC_UNTOUCH);
        return ClickSettings(IDCANCEL);
    });
    RunSettings(drv);
    EXPECT_TRUE(touchFocused);
    EXPECT_TRUE(unTouchFocused);
}

// On a desktop of its own: there the full-screen window closes at once, and the display's
// window system is not asked to map and unmap two hundred screens.
TEST_F(SettingsActions, RepeatedCalibrateAndSaveSetGiveEverythingBack) {
    if (!gui::OnOwnDesktop(1024, 768))
        return;
    struct Snapshot {
        int gdi;
        int handles;
        size_t heap;
    };
    auto take = [] {
        return Snapshot{res::GdiObjectCount(), res::KernelHandleCount(), res::HeapBytesInUse()};
    };
    Snapshot before{}, after{};
    int rounds = 0;
    const int kRounds = 200 + 1; // the first round warms up what is made once per process
    enum { kCalibrate, kEscape, kBackFromScreen, kSaveSet, kSaved } phase = kCalibrate;
    GuiDriver drv(120000);
    drv.Step([&] {
        switch (phase) {
        case kCalibrate:
            if (!ClickSettings(IDOK))
                return false;
            phase = kEscape;
            return false;
        case kEscape:
            if (!CalibrationScreen())
                return false;
            PostMessageA(CalibrationScreen(), WM_KEYDOWN, VK_ESCAPE, 1);
            phase = kBackFromScreen;
            return false;
        case kBackFromScreen:
            if (CalibrationScreen() || !ClickSettings(IDC_SAVE_SET))
                return false;
            phase = kSaveSet;
            return false;
        case kSaveSet:
            // Save Set runs within the click; the next tick sees it done.
            phase = kSaved;
            return false;
        case kSaved:
            ctl->ClearTransfers();
            if (++rounds == 1)
                before = take();
            if (rounds == kRounds) {
                after = take();
                return true;
            }
            phase = kCalibrate;
            return false;
        }
        return false;
    });
    Exit(drv);
    RunSettings(drv);
    EXPECT_EQ(rounds, kRounds);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_LE(after.heap, before.heap + 4096) << "heap grew from " << before.heap;
    EXPECT_EQ(bus.OpenHandleCount(), 1) << "only the controller stays open";
    EXPECT_EQ(bus.OpenDeviceListCount(), 0);
    EXPECT_EQ(bus.OutstandingPreparsedData(), 1);
}
