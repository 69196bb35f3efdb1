#include "sim/descriptors.h"

#include <cctype>

namespace simdesc {

Bytes FromHex(const char* hex) {
    Bytes out;
    int high = -1;
    for (const char* p = hex; *p; ++p) {
        if (!std::isxdigit(static_cast<unsigned char>(*p)))
            continue;
        int v = std::isdigit(static_cast<unsigned char>(*p))
                    ? *p - '0'
                    : std::tolower(static_cast<unsigned char>(*p)) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<BYTE>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

const char* const kMouse = "05010902A1010901A1000509190129031500250195087501810205010930093109381581"
                           "257F750895038106C0C0";
const char* const kVendorArrays = "0600FF0901A10185010901150026FF007508960900B1000901750896010081"
                                  "00090175089607009100C0";
const char* const kVendorTwoFeatures = "0600FF0901A10185050902150027FFFFFF7F75209501B10285060903"
                                       "26FF007508953FB102C0";
const char* const kTouchScreen =
    "050D0904A10185010922A100094215002501750195018102093295018103093795018103950181031500250F75"
    "04095195018102095495018102095595018102050126FF0315007510650009309501810209318102C0050D090E"
    "85020923A1021500250A095275089501B10209539501B10209559501B102C0C0";
const char* const kMouseTruncated = "05010902A1010901A1000509190129031500250195087501810205010930"
                                    "093109381581257F750895038106C007";

} // namespace simdesc
