// The virtual touch-screen controller: a device on the simulated bus that keeps the
// controller contract. It takes one command word from every value field of each feature
// report it receives (a field narrower than 16 bits loses the parameter), holds the
// right-click time, PNP, step and press, keeps them across a re-plug when told to (0x09),
// stops and restores its touch output (0x10), enters calibration mode on 0x80 and leaves it
// on 0xC0 or 0x12. Every transfer it receives is recorded in order; it can be told to refuse
// sets or reads and to vanish after a number of transfers.
#pragma once

#include "sim/controller_layouts.h"
#include "sim/opcode_set.h"
#include "sim/sim_device.h"

#include <functional>
#include <string>
#include <vector>

// One feature transfer that reached the controller.
struct ControllerTransfer {
    enum Kind { Set, Get };
    Kind kind;
    BYTE reportId;
    std::vector<ULONG> words; // a set's command word from each of the report's value fields
    bool refused;
};

// The line the simulator build prints for a transfer, without a line end:
// "set-feature report=<id> word=0x<hex>" or "get-feature report=<id>", then " refused"
// for one that was refused. A report with several value fields shows each field's word.
std::string FormatTransfer(const ControllerTransfer& transfer);

// The controller's parameters, as the command words set them.
struct ControllerSettings {
    BYTE rightClickTime; // tenths of a second
    BYTE pnp;
    BYTE step;
    BYTE press;
    bool operator==(const ControllerSettings&) const = default;
};

class VirtualController : public SimDevice {
public:
    // The parameters a new controller starts with.
    static constexpr ControllerSettings kFactorySettings = {10, 1, 12, 16};

    VirtualController(USHORT productId, const ControllerLayout& layout, std::string path,
                      std::string label);

    const ControllerLayout& Layout() const { return layout_; }

    // The parameters in effect, and those kept for the next arrival.
    const ControllerSettings& Settings() const { return settings_; }
    const ControllerSettings& KeptSettings() const { return kept_; }
    bool TouchEnabled() const { return touchEnabled_; }
    bool Calibrating() const { return calibrating_; }

    const std::vector<ControllerTransfer>& Transfers() const { return transfers_; }
    // The words of the accepted sets, one per report (its first value field).
    std::vector<ULONG> AcceptedWords() const;
    void ClearTransfers() { transfers_.clear(); }

    // Sets whose command opcode is in the set are refused.
    void RefuseSets(const OpcodeSet& opcodes) { refuseSets_ = opcodes; }
    // Reads are refused when the last accepted command's opcode is in the set (all: always).
    void RefuseReads(const OpcodeSet& opcodes) { refuseReads_ = opcodes; }
    // The controller unplugs itself after its n-th accepted transfer from now (0: never).
    void UnplugAfter(ULONG transfers) {
        unplugAfter_ = transfers;
        accepted_ = 0;
    }
    // Called with every transfer as it is recorded.
    void SetTransferObserver(std::function<void(const ControllerTransfer&)> observer) {
        observer_ = std::move(observer);
    }

    bool OnSetFeature(const BYTE* report, ULONG length) override;
    bool OnGetFeature(BYTE* report, ULONG length) override;

protected:
    void OnArrival() override;

private:
    void Execute(ULONG word);
    void Record(ControllerTransfer transfer);
    void CountAccepted();

    const ControllerLayout& layout_;
    ControllerSettings settings_ = kFactorySettings;
    ControllerSettings kept_ = kFactorySettings;
    bool touchEnabled_ = true;
    bool calibrating_ = false;
    int lastOpcode_ = -1;
    ULONG lastWord_ = 0;
    OpcodeSet refuseSets_;
    OpcodeSet refuseReads_;
    ULONG unplugAfter_ = 0;
    ULONG accepted_ = 0;
    std::vector<ControllerTransfer> transfers_;
    std::function<void(const ControllerTransfer&)> observer_;
};
