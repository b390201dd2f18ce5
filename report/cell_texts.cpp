#include "report/cell_texts.h"

#include <QPainter>
#include <QTextLayout>

namespace torbex::report {

const CellTexts::Laid& CellTexts::laidOut(const QString& text) {
    if (const auto found = m_laid.constFind(text); found != m_laid.cend()) return *found;
    // A bound on what is kept: record numbers and RFIDs of a long history are mostly seen once.
    if (m_laid.size() >= kMostKept) m_laid.clear();
    QTextLayout layout(text, m_font, m_device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    Laid laid;
    if (line.isValid()) {
        const QList<QGlyphRun> runs = layout.glyphRuns();
        laid.runs.assign(runs.begin(), runs.end());
        laid.size = QSizeF(line.naturalTextWidth(), line.height());
    }
    return *m_laid.insert(text, std::move(laid));
}

void CellTexts::draw(QPainter& painter, const QRectF& cell, const QString& text) {
    const Laid& laid = laidOut(text);
    const QPointF origin(cell.center().x() - laid.size.width() / 2, cell.center().y() - laid.size.height() / 2);
    for (const QGlyphRun& run : laid.runs) painter.drawGlyphRun(origin, run);
}

}  // namespace torbex::report
