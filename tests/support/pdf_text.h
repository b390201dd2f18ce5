#pragma once

#include <QProcess>
#include <gtest/gtest.h>

namespace torbex::testing {

// The text a PDF reader finds in `pdf`, from poppler's pdftotext (with "-bbox", every word in its box).
inline QString pdfText(const QString& pdf, const QStringList& options = {}) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(60000)) << pdf.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace torbex::testing
