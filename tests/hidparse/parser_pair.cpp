#include "tests/hidparse/parser_pair.h"

#include "sim/descriptors.h"
#include "sim/hidparse/hid_parser.h"

#include <cstdio>
#include <set>

namespace hidtest {

ParserPair::ParserPair(const char* hex)
    : bytes_(simdesc::FromHex(hex)), ourStatus_(simhid::ParseReportDescriptor(
                                         bytes_.data(), static_cast<ULONG>(bytes_.size()), &ours_)),
      wine_(bytes_) {
    if (ours_)
        simhid::HidP_GetCaps(ours_, &caps_);
}

ParserPair::~ParserPair() {
    simhid::FreePreparsedData(ours_);
}

std::vector<HIDP_BUTTON_CAPS> ParserPair::ButtonCaps(HIDP_REPORT_TYPE kind) const {
    USHORT count = kind == HidP_Input    ? caps_.NumberInputButtonCaps
                   : kind == HidP_Output ? caps_.NumberOutputButtonCaps
                                         : caps_.NumberFeatureButtonCaps;
    std::vector<HIDP_BUTTON_CAPS> list(count);
    if (count)
        simhid::HidP_GetSpecificButtonCaps(kind, 0, 0, 0, list.data(), &count, ours_);
    return list;
}

std::vector<HIDP_VALUE_CAPS> ParserPair::ValueCaps(HIDP_REPORT_TYPE kind) const {
    USHORT count = kind == HidP_Input    ? caps_.NumberInputValueCaps
                   : kind == HidP_Output ? caps_.NumberOutputValueCaps
                                         : caps_.NumberFeatureValueCaps;
    std::vector<HIDP_VALUE_CAPS> list(count);
    if (count)
        simhid::HidP_GetSpecificValueCaps(kind, 0, 0, 0, list.data(), &count, ours_);
    return list;
}

USHORT ParserPair::ReportLength(HIDP_REPORT_TYPE kind) const {
    return kind == HidP_Input    ? caps_.InputReportByteLength
           : kind == HidP_Output ? caps_.OutputReportByteLength
                                 : caps_.FeatureReportByteLength;
}

namespace {

template <typename Caps> std::string Common(const Caps& c) {
    char text[320];
    std::snprintf(text, sizeof text,
                  "page %04X id %u alias %u bits %04X lc %u link %04X:%04X abs %u "
                  "usage %s%04X-%04X di %u-%u string %s%u-%u designator %s%u-%u",
                  c.UsagePage, c.ReportID, c.IsAlias, c.BitField, c.LinkCollection, c.LinkUsagePage,
                  c.LinkUsage, c.IsAbsolute, c.IsRange ? "range " : "", c.Range.UsageMin,
                  c.IsRange ? c.Range.UsageMax : c.Range.UsageMin, c.Range.DataIndexMin,
                  c.IsRange ? c.Range.DataIndexMax : c.Range.DataIndexMin,
                  c.IsStringRange ? "range " : "", c.Range.StringMin,
                  c.IsStringRange ? c.Range.StringMax : c.Range.StringMin,
                  c.IsDesignatorRange ? "range " : "", c.Range.DesignatorMin,
                  c.IsDesignatorRange ? c.Range.DesignatorMax : c.Range.DesignatorMin);
    return text;
}

} // namespace

std::string Describe(const HIDP_BUTTON_CAPS& caps) {
    return Common(caps);
}

std::string Describe(const HIDP_VALUE_CAPS& caps) {
    char text[200];
    std::snprintf(text, sizeof text,
                  " null %u size %u count %u exp %lX units %lX logical %ld..%ld physical "
                  "%ld..%ld",
                  caps.HasNull, caps.BitSize, caps.ReportCount, caps.UnitsExp, caps.Units,
                  caps.LogicalMin, caps.LogicalMax, caps.PhysicalMin, caps.PhysicalMax);
    return Common(caps) + text;
}

std::string Hex(const std::vector<char>& bytes) {
    std::string text;
    char part[4];
    for (char b : bytes) {
        std::snprintf(part, sizeof part, "%02X ", static_cast<BYTE>(b));
        text += part;
    }
    return text;
}

std::vector<UCHAR> ReportIds(const ParserPair& pair, HIDP_REPORT_TYPE kind) {
    std::set<UCHAR> ids;
    for (const HIDP_BUTTON_CAPS& c : pair.ButtonCaps(kind))
        ids.insert(c.ReportID);
    for (const HIDP_VALUE_CAPS& c : pair.ValueCaps(kind))
        ids.insert(c.ReportID);
    return {ids.begin(), ids.end()};
}

} // namespace hidtest
