#include "tests/support/desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/desktop_runner.h"

namespace gui {

bool OnOwnDesktop(int width, int height) {
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (IsOwnDesktopChild()) {
        if (DesktopHasSize(width, height))
            return true;
        RECT rc;
        GetWindowRect(GetDesktopWindow(), &rc);
        ADD_FAILURE() << "asked for a " << size << " desktop, got " << rc.right - rc.left << "x"
                      << rc.bottom - rc.top;
        return false;
    }

    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"";
    command.append(self).append("\" --gtest_filter=").append(filter);
    long code = RunOnOwnDesktop(command, width, height);
    EXPECT_EQ(code, 0) << filter << " failed on the " << size
                       << " desktop (its output is above; -1: it did not run or end)";
    return false;
}

} // namespace gui
