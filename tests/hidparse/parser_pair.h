// One descriptor read by both parsers, ours and Wine's, and the helpers that compare what
// they say about it.
#pragma once

#include "tests/hidparse/wine_oracle.h"

#include <string>
#include <vector>

namespace hidtest {

class ParserPair {
public:
    explicit ParserPair(const char* hex);
    ~ParserPair();
    ParserPair(const ParserPair&) = delete;
    ParserPair& operator=(const ParserPair&) = delete;

    NTSTATUS ourStatus() const { return ourStatus_; }
    NTSTATUS wineStatus() const { return wine_.status(); }
    PHIDP_PREPARSED_DATA ours() const { return ours_; }
    PHIDP_PREPARSED_DATA wine() const { return wine_.data(); }
    // Our capabilities, which the comparisons walk.
    const HIDP_CAPS& caps() const { return caps_; }
    std::vector<HIDP_BUTTON_CAPS> ButtonCaps(HIDP_REPORT_TYPE kind) const;
    std::vector<HIDP_VALUE_CAPS> ValueCaps(HIDP_REPORT_TYPE kind) const;
    USHORT ReportLength(HIDP_REPORT_TYPE kind) const;

private:
    std::vector<BYTE> bytes_;
    PHIDP_PREPARSED_DATA ours_ = nullptr;
    NTSTATUS ourStatus_;
    oracle::WineParse wine_;
    HIDP_CAPS caps_ = {};
};

// The fields of a capability that carry meaning, as text, so that a mismatch reads well.
std::string Describe(const HIDP_BUTTON_CAPS& caps);
std::string Describe(const HIDP_VALUE_CAPS& caps);
std::string Hex(const std::vector<char>& bytes);

// The report ids that a kind's capabilities use, in ascending order.
std::vector<UCHAR> ReportIds(const ParserPair& pair, HIDP_REPORT_TYPE kind);

constexpr HIDP_REPORT_TYPE kKinds[] = {HidP_Input, HidP_Output, HidP_Feature};

} // namespace hidtest
