#pragma once

#include <QDateTime>
#include <QString>

#include "data/test_source.h"

class QIODevice;

namespace torbex::report {

// Tests for maintenance systems and for `history --json`: UTF-8 JSON, one object per test with
// named fields (tester serial, RFID, management number, ISO 8601 date and time, flow setting and
// result with their units, the occlusion level and result, each verdict as a word), written as
// the tests are read.
data::TestsWritten writeJsonExport(QIODevice& device, data::TestSource& tests, const QDateTime& exportedAt);

// A number of tenths as JSON writes it: 995 is 99.5, -15 is -1.5, 1000 is 100.0.
QString jsonTenths(int tenths);

}  // namespace torbex::report
