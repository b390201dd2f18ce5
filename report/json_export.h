#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "data/test_source.h"

class QIODevice;

namespace torbex::report {

// What the register says of a test's pump: maker, model, serial, department, location and status.
struct RegisterEntry {
    QString maker, model, serial, department, location;
    bool retired = false;
};
// The register's entry of an RFID; nullopt for a pump it does not hold.
using RegisterLookup = std::function<std::optional<RegisterEntry>(const QString& rfid)>;

// Tests for maintenance systems and for `history --json`: UTF-8 JSON, one object per test with
// named fields (tester serial, RFID, management number, ISO 8601 date and time, flow setting and
// result with their units, the occlusion level and result, each verdict as a word, the overall
// verdict, and the pump's entry in the register when `lookup` has one), written as the tests are
// read.
data::TestsWritten writeJsonExport(QIODevice& device, data::TestSource& tests, const QDateTime& exportedAt,
                                   const RegisterLookup& lookup = {});

}  // namespace torbex::report
