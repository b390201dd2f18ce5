#pragma once

#include <QFont>
#include <QString>

#include "data/measurement.h"

namespace torbex::report {

// A verdict as the data grid words it: "Pass", "Fail", "Err", or "--" when not measured.
QString verdictInWords(data::Verdict verdict);

// The printed pages' font: Latin first, since the CJK face's digits would not survive text
// extraction, then Japanese.
QFont reportFont(double points, bool bold = false);

}  // namespace torbex::report
