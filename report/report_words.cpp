#include "report/report_words.h"

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

}  // namespace torbex::report
