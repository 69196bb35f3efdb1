// A set of command opcodes: all of them, or chosen ones.
#pragma once

#include <windows.h>
#include <bitset>
#include <initializer_list>

struct OpcodeSet {
    bool all = false;
    std::bitset<256> codes;

    static OpcodeSet All() {
        OpcodeSet set;
        set.all = true;
        return set;
    }
    static OpcodeSet Of(std::initializer_list<BYTE> opcodes) {
        OpcodeSet set;
        for (BYTE opcode : opcodes)
            set.codes.set(opcode);
        return set;
    }
    bool Contains(BYTE opcode) const { return all || codes.test(opcode); }
    bool Empty() const { return !all && codes.none(); }
};
