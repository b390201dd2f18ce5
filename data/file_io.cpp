#include "data/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace torbex::data {
namespace {

const QString kNotRegular = QStringLiteral("not a regular file");
const QString kTooLarge = QStringLiteral("too large");

}  // namespace

FileBytes readRegularFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return {{}, kNotRegular};
    if (info.exists() && info.size() > maxBytes) return {{}, kTooLarge};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    // One byte more than allowed tells a file that grew since it was looked at.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) return {{}, file.errorString()};
    if (bytes.size() > maxBytes) return {{}, kTooLarge};
    return {std::move(bytes), {}};
}

FileOutcome writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return {kNotRegular};

    QSaveFile file(path);
    // Unbuffered: QSaveFile would otherwise meet a full disk only in commit()'s flush, and then
    // rename the cut-short file over the old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return {file.errorString()};
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            // A short write reports its cause only at the next attempt, which is this one.
            const QString reason = file.errorString();
            file.cancelWriting();
            return {reason.isEmpty() ? QStringLiteral("write failed") : reason};
        }
        written += n;
    }
    if (file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {reason};
    }
    if (!file.commit()) return {file.errorString()};
    return {};
}

}  // namespace torbex::data
