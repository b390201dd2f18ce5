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

}  // namespace torbex::report
