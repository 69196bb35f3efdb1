// Descriptors the parser tests share: the project's device descriptors, the virtual
// controller's layouts, and small ones that each exercise one part of the item grammar, all
// of which both parsers read alike.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace hidtest {

struct NamedDescriptor {
    std::string name; // a test-name part: letters, digits and underscores
    const char* hex;
};

inline void PrintTo(const NamedDescriptor& d, std::ostream* os) {
    *os << d.name;
}

const std::vector<NamedDescriptor>& OracleDescriptors();

} // namespace hidtest
