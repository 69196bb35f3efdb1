// Descriptors the parser tests share: the project's device descriptors and small ones that
// each exercise one part of the item grammar, all of which both parsers read alike.
#pragma once

#include <vector>

namespace hidtest {

struct NamedDescriptor {
    const char* name; // a test-name part: letters, digits and underscores
    const char* hex;
};

const std::vector<NamedDescriptor>& OracleDescriptors();

} // namespace hidtest
