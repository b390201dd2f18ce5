#include "report/report_words.h"

#include <QPdfWriter>

namespace torbex::report {

QString verdictInWords(data::Verdict verdict) {
    switch (verdict) {
        case data::Verdict::Pass: return QStringLiteral("Pass");
        case data::Verdict::Fail: return QStringLiteral("Fail");
        case data::Verdict::Error: return QStringLiteral("Err");
        case data::Verdict::NotMeasured: break;
    }
    return QStringLiteral("--");
}

QFont reportFont(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void prepareA4(QPdfWriter& writer, const QString& title) {
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);  // a unit is a point
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("torbex"));
}

}  // namespace torbex::report
