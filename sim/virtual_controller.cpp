#include "sim/virtual_controller.h"

#include <cstdio>

namespace {

// The device's own opcodes.
enum : BYTE {
    kRightClickTime = 0x01,
    kPnp = 0x05,
    kStep = 0x06,
    kPress = 0x08,
    kKeep = 0x09,
    kTouch = 0x10,
    kAbortCalibration = 0x12,
    kStartCalibration = 0x80,
    kExitCalibration = 0xC0,
};

ULONG ReadBits(const BYTE* report, ULONG length, USHORT offset, USHORT size) {
    ULONG value = 0;
    for (USHORT i = 0; i < size; ++i) {
        ULONG bit = offset + i;
        if (bit / 8 >= length)
            break;
        if (report[bit / 8] >> (bit % 8) & 1)
            value |= 1UL << i;
    }
    return value;
}

void WriteBits(BYTE* report, ULONG length, USHORT offset, USHORT size, ULONG value) {
    for (USHORT i = 0; i < size; ++i) {
        ULONG bit = offset + i;
        if (bit / 8 >= length)
            break;
        BYTE mask = static_cast<BYTE>(1 << (bit % 8));
        if (i < 32 && (value >> i & 1))
            report[bit / 8] |= mask;
        else
            report[bit / 8] &= static_cast<BYTE>(~mask);
    }
}

} // namespace

std::string FormatTransfer(const ControllerTransfer& transfer) {
    char part[48];
    std::snprintf(part, sizeof part, "%s report=%u",
                  transfer.kind == ControllerTransfer::Set ? "set-feature" : "get-feature",
                  transfer.reportId);
    std::string line = part;
    for (ULONG word : transfer.words) {
        std::snprintf(part, sizeof part, " word=0x%04lX", word);
        line += part;
    }
    if (transfer.refused)
        line += " refused";
    return line;
}

VirtualController::VirtualController(USHORT productId, const ControllerLayout& layout,
                                     std::string path, std::string label)
    : SimDevice(0x24B8, productId, layout.descriptor, std::move(path), std::move(label)),
      layout_(layout) {}

std::vector<ULONG> VirtualController::AcceptedWords() const {
    std::vector<ULONG> words;
    for (const ControllerTransfer& transfer : transfers_) {
        if (transfer.kind == ControllerTransfer::Set && !transfer.refused &&
            !transfer.words.empty())
            words.push_back(transfer.words.front());
    }
    return words;
}

bool VirtualController::OnSetFeature(const BYTE* report, ULONG length) {
    ControllerTransfer transfer{ControllerTransfer::Set, report[0], {}, false};
    for (const FeatureField& field : layout_.fields) {
        if (field.reportId == report[0])
            transfer.words.push_back(ReadBits(report, length, field.bitOffset, field.bitSize));
    }
    const int opcode = transfer.words.empty() ? -1 : static_cast<int>(transfer.words[0] & 0xFF);
    transfer.refused = opcode >= 0 && refuseSets_.Contains(static_cast<BYTE>(opcode));
    const bool accepted = !transfer.refused;
    Record(std::move(transfer));
    if (!accepted)
        return false;

    for (ULONG word : transfers_.back().words)
        Execute(word);
    if (opcode >= 0) {
        lastOpcode_ = opcode;
        lastWord_ = transfers_.back().words[0];
    }
    CountAccepted();
    return true;
}

bool VirtualController::OnGetFeature(BYTE* report, ULONG length) {
    const BYTE reportId = report[0];
    const bool refused =
        refuseReads_.all ||
        (lastOpcode_ >= 0 && refuseReads_.Contains(static_cast<BYTE>(lastOpcode_)));
    Record({ControllerTransfer::Get, reportId, {}, refused});
    if (refused)
        return false;

    // The answer echoes the last command word in each field of the report.
    for (ULONG i = 1; i < length; ++i)
        report[i] = 0;
    for (const FeatureField& field : layout_.fields) {
        if (field.reportId == reportId)
            WriteBits(report, length, field.bitOffset, field.bitSize, lastWord_);
    }
    CountAccepted();
    return true;
}

void VirtualController::OnArrival() {
    // Power-up: the kept parameters come back, touch output is on, no calibration runs.
    settings_ = kept_;
    touchEnabled_ = true;
    calibrating_ = false;
    lastOpcode_ = -1;
    lastWord_ = 0;
}

void VirtualController::Execute(ULONG word) {
    const BYTE opcode = static_cast<BYTE>(word & 0xFF);
    const BYTE parameter = static_cast<BYTE>(word >> 8 & 0xFF);
    switch (opcode) {
    case kRightClickTime:
        settings_.rightClickTime = parameter;
        break;
    case kPnp:
        settings_.pnp = parameter;
        break;
    case kStep:
        settings_.step = parameter;
        break;
    case kPress:
        settings_.press = parameter;
        break;
    case kKeep:
        if (parameter == 1)
            kept_ = settings_;
        break;
    case kTouch:
        if (parameter <= 1)
            touchEnabled_ = parameter == 1;
        break;
    case kStartCalibration:
        calibrating_ = true;
        break;
    case kAbortCalibration:
    case kExitCalibration:
        calibrating_ = false;
        break;
    default:
        break; // other opcodes are taken and ignored
    }
}

void VirtualController::Record(ControllerTransfer transfer) {
    transfers_.push_back(std::move(transfer));
    if (observer_)
        observer_(transfers_.back());
}

void VirtualController::CountAccepted() {
    if (unplugAfter_ == 0)
        return;
    if (++accepted_ >= unplugAfter_) {
        unplugAfter_ = 0;
        Unplug();
    }
}
