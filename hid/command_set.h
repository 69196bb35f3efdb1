// The command words the utility sends to the touch-screen controller.
#pragma once

#include <windows.h>

// Opcode in bits 0-7, an 8-bit parameter in bits 8-15, bits 16-31 zero.
using CommandWord = ULONG;

constexpr BYTE CMD_RIGHT_CLICK_TIME = 0x01;  // parameter: hold time in tenths of a second
constexpr BYTE CMD_PNP = 0x05;               // parameter: 1 on, 0 off
constexpr BYTE CMD_STEP = 0x06;              // parameter: step
constexpr BYTE CMD_PRESS = 0x08;             // parameter: touch force
constexpr BYTE CMD_SAVE = 0x09;              // parameter: 1, keep the parameters
constexpr BYTE CMD_TOUCH = 0x10;             // parameter: 0 stop touch output, 1 restore it
constexpr BYTE CMD_ABORT_CALIBRATION = 0x12; // answer read
constexpr BYTE CMD_START_CALIBRATION = 0x80; // answer read
constexpr BYTE CMD_EXIT_CALIBRATION = 0xC0;  // answer read

// The word of one command: parameter shifted left by 8, combined with the opcode.
constexpr CommandWord MakeCommandWord(BYTE opcode, BYTE parameter = 0) {
    return static_cast<CommandWord>(parameter) << 8 | opcode;
}
