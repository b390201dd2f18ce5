#pragma once

#include <QFont>
#include <QString>

class QPdfWriter;

#include "data/measurement.h"

namespace torbex::report {

// A verdict as the data grid words it: "Pass", "Fail", "Err", or "--" when not measured.
QString verdictInWords(data::Verdict verdict);

// The printed pages' font: Latin first, since the CJK face's digits would not survive text
// extraction, then Japanese.
QFont reportFont(double points, bool bold = false);

// An A4 portrait page without margins, a unit a point, titled for the document's properties.
void prepareA4(QPdfWriter& writer, const QString& title);

}  // namespace torbex::report
