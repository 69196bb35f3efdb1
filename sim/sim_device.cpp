#include "sim/sim_device.h"

#include "sim/hidparse/hid_parser.h"

#include <vector>

namespace {

// Collects the report ids of the feature kind from the parser's capabilities.
void ReadFeatureIds(PHIDP_PREPARSED_DATA data, const HIDP_CAPS& caps, std::bitset<256>& ids) {
    std::vector<HIDP_BUTTON_CAPS> buttons(caps.NumberFeatureButtonCaps);
    USHORT length = caps.NumberFeatureButtonCaps;
    if (length && simhid::HidP_GetSpecificButtonCaps(HidP_Feature, 0, 0, 0, buttons.data(), &length,
                                                     data) == HIDP_STATUS_SUCCESS) {
        for (USHORT i = 0; i < length; ++i)
            ids.set(buttons[i].ReportID);
    }
    std::vector<HIDP_VALUE_CAPS> values(caps.NumberFeatureValueCaps);
    length = caps.NumberFeatureValueCaps;
    if (length && simhid::HidP_GetSpecificValueCaps(HidP_Feature, 0, 0, 0, values.data(), &length,
                                                    data) == HIDP_STATUS_SUCCESS) {
        for (USHORT i = 0; i < length; ++i)
            ids.set(values[i].ReportID);
    }
}

} // namespace

SimDevice::SimDevice(USHORT vendorId, USHORT productId, const char* descriptorHex, std::string path,
                     std::string label)
    : vendorId_(vendorId), productId_(productId), path_(std::move(path)), label_(std::move(label)),
      descriptor_(simdesc::FromHex(descriptorHex)) {
    PHIDP_PREPARSED_DATA data = nullptr;
    parseStatus_ = simhid::ParseReportDescriptor(descriptor_.data(),
                                                 static_cast<ULONG>(descriptor_.size()), &data);
    if (parseStatus_ != HIDP_STATUS_SUCCESS)
        return;
    HIDP_CAPS caps = {};
    if (simhid::HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS) {
        featureLength_ = caps.FeatureReportByteLength;
        ReadFeatureIds(data, caps, featureIds_);
    }
    simhid::FreePreparsedData(data);
}

void SimDevice::Plug() {
    if (present_)
        return;
    present_ = true;
    ++arrival_;
    OnArrival();
}

bool SimDevice::OnSetFeature(const BYTE*, ULONG) {
    return false;
}

bool SimDevice::OnGetFeature(BYTE*, ULONG) {
    return false;
}
