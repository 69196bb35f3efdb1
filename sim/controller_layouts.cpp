#include "sim/controller_layouts.h"

#include <cstring>

namespace {

// Vendor page 0xFF00, application collection; a 32-bit field has logical range
// 0..0x7FFFFFFF, an 8-bit one 0..255.
const std::vector<ControllerLayout> kLayouts = {
    {LayoutId::Value32,
     "value32",
     "0600FF0901A101"
     "0902150027FFFFFF7F75209501B102"
     "C0",
     {{0, 8, 32}}},
    {LayoutId::TwoIds,
     "two-ids",
     "0600FF0901A101"
     "85010902150027FFFFFF7F75209501B102"
     "85020903B102"
     "C0",
     {{1, 8, 32}, {2, 8, 32}}},
    {LayoutId::Buttons,
     "buttons",
     "0600FF0901A101"
     "0509190129081500250175019508B102"
     "0600FF0902150027FFFFFF7F75209501B102"
     "C0",
     {{0, 16, 32}}},
    {LayoutId::Value8,
     "value8",
     "0600FF0901A101"
     "0902150026FF0075089501B102"
     "C0",
     {{0, 8, 8}}},
};

} // namespace

const ControllerLayout& GetControllerLayout(LayoutId id) {
    for (const ControllerLayout& layout : kLayouts) {
        if (layout.id == id)
            return layout;
    }
    return kLayouts.front();
}

const ControllerLayout* FindControllerLayout(const char* name) {
    for (const ControllerLayout& layout : kLayouts) {
        if (std::strcmp(layout.name, name) == 0)
            return &layout;
    }
    return nullptr;
}

const std::vector<ControllerLayout>& ControllerLayouts() {
    return kLayouts;
}
