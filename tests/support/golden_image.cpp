#include "support/golden_image.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace torbex::testing {

::testing::AssertionResult looksAsReviewed(const QImage& actual, const QString& name) {
    const QString golden = QStringLiteral(TORBEX_GOLDEN_DIR "/%1.png").arg(name);
    const QImage shown = actual.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TORBEX_UPDATE_GOLDENS") == 1) {
        if (!shown.save(golden)) return ::testing::AssertionFailure() << "cannot write " << golden.toStdString();
        return ::testing::AssertionSuccess();
    }
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    if (expected.isNull()) return ::testing::AssertionFailure() << "no reviewed picture " << golden.toStdString();

    QImage changes(shown.size(), QImage::Format_RGB32);
    changes.fill(Qt::white);
    QRect box;
    long count = 0;
    if (expected.size() == shown.size()) {
        for (int y = 0; y < shown.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
            for (int x = 0; x < shown.width(); ++x) {
                if (a[x] == e[x]) continue;
                ++count;
                box |= QRect(x, y, 1, 1);
                changes.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
        if (count == 0) return ::testing::AssertionSuccess();
    }
    const QString folder = QStringLiteral(TORBEX_GOLDEN_ACTUAL_DIR);
    QDir().mkpath(folder);
    shown.save(folder + u'/' + name + QStringLiteral(".png"));
    changes.save(folder + u'/' + name + QStringLiteral(".changes.png"));
    auto failure = ::testing::AssertionFailure() << name.toStdString() << " differs from the reviewed picture: ";
    if (expected.size() != shown.size())
        return failure << shown.width() << "x" << shown.height() << " against " << expected.width() << "x" << expected.height();
    return failure << count << " pixels in " << box.width() << "x" << box.height() << " at (" << box.x() << "," << box.y()
                   << "); see " << folder.toStdString();
}

std::vector<QImage> pdfPages(const QString& pdf, int dpi) {
    QTemporaryDir folder;
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, folder.filePath(QStringLiteral("page"))});
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0) << "pdftoppm failed on " << pdf.toStdString();
    std::vector<QImage> pages;
    const QDir dir(folder.path());
    for (const QString& file : dir.entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name)) pages.emplace_back(dir.filePath(file));
    return pages;
}

}  // namespace torbex::testing
