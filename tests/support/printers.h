#pragma once
// Failed assertions show these values as text, not as bytes. Every test program takes this header
// in first (tests/CMakeLists.txt), so a value prints alike in all of its sources.
#include <gtest/gtest.h>

#include "commands/tester_values.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << ::testing::PrintToString(text.toStdString()); }
inline void PrintTo(const QByteArray& bytes, std::ostream* out) { *out << ::testing::PrintToString(bytes.toStdString()); }

namespace torbex::commands {
inline void PrintTo(const MeasurementSettings& s, std::ostream* out) {
    *out << ::testing::PrintToString(std::tuple(s.FlowRate, s.AverageCount, s.MeasureCount, s.OcclusionPressure, s.OcclusionLevel,
                                                s.WriteMode, s.RfidUse, s.DisplayUnits));
}
}  // namespace torbex::commands
