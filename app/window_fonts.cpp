#include "app/window_fonts.h"

#include <QStringList>

namespace torbex::app {
namespace {

QFont fontOf(const QStringList& families, double points) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    return font;
}

const QStringList& proportionalFamilies() {
    static const QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                                      QStringLiteral("VL PGothic"), QStringLiteral("Sans Serif")};
    return families;
}

}  // namespace

QFont controlFont() { return fontOf(proportionalFamilies(), 10.8); }

QFont titleFont() { return fontOf(proportionalFamilies(), 16.2); }

QFont fixedPitchFont() {
    QFont font = fontOf({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                         QStringLiteral("IPAGothic"), QStringLiteral("Monospace")},
                        12);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont gridFont() { return fontOf(proportionalFamilies(), 9); }

}  // namespace torbex::app
