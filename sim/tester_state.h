#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "commands/tester_values.h"
#include "sim/fault_rule.h"

namespace torbex::sim {

inline constexpr int kSlotCount = 1001;

// One measurement as the tester stores it; encoded into a D10 reply field by field.
struct StoredRecord {
    QString rfid = QStringLiteral("0000000000000000");  // 16 hex digits, most significant first
    int status = 0;                                     // status byte
    QString date = QStringLiteral("000000");            // yyMMdd
    QString time = QStringLiteral("0000");              // HHmm
    int flowSetting = 0;                                // ml/h
    int flowResult = 0;                                 // tenths of a percent
    int occlusionLevel = 0;                             // 0 = L, 1 = M, 2 = H
    int occlusionValue = 0;
    int occlusionResult = 0;                            // tenths of a kPa
};

// A slot answered with exactly these bytes from reply byte 3 on.
struct RawReply {
    std::vector<std::uint8_t> bytes;
};

using Slot = std::variant<StoredRecord, RawReply>;

// Everything the tester keeps.
struct TesterState {
    QString version = QStringLiteral("V1.00   ");
    QString serial = QStringLiteral("TB000123");
    commands::CalibrationCoefficients coefficients{0.95F, 0.105F, 0.0F};
    commands::MeasurementSettings settings;
    std::array<std::optional<Slot>, kSlotCount> slots;
    // Faults it commits, checked in this order on every command it receives.
    std::vector<FaultRule> faults;
    // The payload of each report it describes to the HID stack, report ID not counted.
    int inputReportBytes = 64;
    int outputReportBytes = 64;
};

}  // namespace torbex::sim
