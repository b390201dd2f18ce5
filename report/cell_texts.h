#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRectF>
#include <vector>

class QPainter;
class QPaintDevice;

namespace torbex::report {

// Short texts drawn centred in table cells, each laid out once: a report of a history of years
// draws the same dates, numbers and verdicts over and over, and laying a text out costs far more
// than drawing it.
class CellTexts {
public:
    CellTexts(const QFont& font, QPaintDevice* device) : m_font(font), m_device(device) {}
    void draw(QPainter& painter, const QRectF& cell, const QString& text);

private:
    struct Laid {
        std::vector<QGlyphRun> runs;
        QSizeF size;
    };
    const Laid& laidOut(const QString& text);

    static constexpr qsizetype kMostKept = 20000;
    QFont m_font;
    QPaintDevice* m_device;
    QHash<QString, Laid> m_laid;
};

}  // namespace torbex::report
