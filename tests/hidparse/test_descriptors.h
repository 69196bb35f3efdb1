// Descriptors the parser tests share: the project's device descriptors and small ones that
// each exercise one part of the item grammar, all of which both parsers read alike.
#pragma once

#include <ostream>
#include <vector>

namespace hidtest {

struct NamedDescriptor {
    const char* name; // a test-name part: letters, digits and underscores
    const char* hex;
};

inline void PrintTo(const NamedDescriptor& d, std::ostream* os) {
    *os << d.name;
}

const std::vector<NamedDescriptor>& OracleDescriptors();

} // namespace hidtest
