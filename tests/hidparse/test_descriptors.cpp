#include "tests/hidparse/test_descriptors.h"

#include "sim/controller_layouts.h"
#include "sim/descriptors.h"

#include <cctype>

namespace hidtest {

namespace {

std::vector<NamedDescriptor> MakeList() {
    std::vector<NamedDescriptor> list = {
        {"Mouse", simdesc::kMouse},
        {"VendorArrays", simdesc::kVendorArrays},
        {"VendorTwoFeatures", simdesc::kVendorTwoFeatures},
        {"TouchScreen", simdesc::kTouchScreen},
        // One 32-bit feature value, without and with a report id.
        {"Feature32NoIds", "0600FF0901A1010902150027FFFFFF7F75209501B102C0"},
        {"Feature32WithId", "0600FF0901A10185050902150027FFFFFF7F75209501B102C0"},
        // Reports 3, 1, 2, 1 in that order, spread over three kinds.
        {"MixedReportIds", "0600FF0901A10185030901150026FF0075089502810285010902950181028502"
                           "090375109501B10285010904750895019102C0"},
        // Three buttons without a range, then constant padding.
        {"ButtonsNoRange", "05010902A101050909010902090315002501750195038102750595018103C0"},
        // A keyboard-like array with a usage range and a second one-slot array.
        {"ArrayRanges", "05010906A101050719002965150025657508950681000507190029FF150026FF00750895"
                        "018100C0"},
        // An array of three listed usages in one byte.
        {"ArrayListed", "05010902A10105010981098209831501250375089501 8100C0"},
        // One usage range over a variable item, one field per usage.
        {"ValueRange", "05010902A1011930293215812570750895038102C0"},
        // Two usages for three fields: the last one becomes a usage value array.
        {"ValueArrayTail", "05010902A1010930093115812570750895038102C0"},
        // Nested physical and logical collections, with fields after an inner one closes.
        {"NestedCollections", "05010902A1010901A100093015002501750895018102C0093181020509A102"
                              "0901090215002501750195028102750695018103C0C0"},
        // Physical range, unit and unit exponent; signed logical ranges; a null state.
        {"UnitsAndSigns", "05010902A1010930150026FF00350046E803550E6511750895018102"
                          "09311581257F3500450055006500814209321580257F8102"
                          "0933 15FF 2501 7502 9501 8102 7506 8103 C0"},
        // Scaling with rounding, negative physical ranges and a physical range on its own.
        {"Scaling", "05010902A1010930150026FF00350046E8037508950181020931150026FF003618FC"
                    "46E80381020932158125 7F3618FC46E803810209331500256435004500810209341500"
                    "250235FF45008102C0"},
        // String and designator indices and ranges.
        {"StringsDesignators", "0509A1011901290489019904490559081500250175019504810209057907"
                               "39039501810275038103C0"},
        // Push and Pop around a report size; a report size of 0; usage page after usage.
        {"PushPop", "05010902A101A47510B40930150025019501810209310509750881020932 8102C0"},
        // An extended usage on a vendor page and reserved items that change nothing.
        {"ExtendedUsage", "0600FF0901A1010B050001001500250175019501810275079501 C4 8103C0"},
        // Values wider than a ULONG: 64 and 33 bits, then an 8-bit one after them.
        {"WideValues", "0600FF0901A1010902150027FFFFFFFF75409501B102090375 21B102090475 08B102C0"},
        // Output and feature reports of one id with buttons and values together.
        {"OutputAndFeature", "05080901A101850205081901290515002501750195059102750395019103"
                             "0600FF0920150026FF0075089502B1020921750195018102750795018103C0"},
    };
    for (const ControllerLayout& layout : ControllerLayouts()) {
        std::string name = "Layout_";
        for (const char* c = layout.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        list.push_back({name, layout.descriptor});
    }
    return list;
}

} // namespace

const std::vector<NamedDescriptor>& OracleDescriptors() {
    static const std::vector<NamedDescriptor> list = MakeList();
    return list;
}

} // namespace hidtest
