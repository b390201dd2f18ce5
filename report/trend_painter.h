#pragma once

#include <QFont>
#include <QRectF>

#include "report/trend_data.h"

class QPainter;

namespace torbex::report {

// Draws a pump's trend into `box` with a painter alone, so that a report needs no widgets: the
// flow results on the left axis (%), the occlusion results on the right (kPa), each over its
// band, the dates below and a legend under them.
void paintTrend(QPainter& painter, const QRectF& box, const Trend& trend, const QFont& font);

}  // namespace torbex::report
