#include "data/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace torbex::data {
namespace {

const QString kNotRegular = QStringLiteral("not a regular file");
const QString kTooLarge = QStringLiteral("too large");
const QString kWriteFailed = QStringLiteral("write failed");

// Gathers writes into blocks of 256 KiB for the device behind it; after a failed write every
// later one fails, with the first error's words.
class WriteCollector final : public QIODevice {
public:
    explicit WriteCollector(QIODevice& target) : m_target(target) {
        m_block.reserve(kBlockBytes);
        open(QIODevice::WriteOnly);
    }
    bool flushAll() {
        if (m_failed) return false;
        if (!m_block.isEmpty() && !writeWhole(m_target, m_block)) fail();
        m_block.resize(0);  // keeps the block's memory for the next
        return !m_failed;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_failed) return -1;
        m_block.append(data, size);
        if (m_block.size() >= kBlockBytes && !flushAll()) return -1;
        return size;
    }

private:
    static constexpr qsizetype kBlockBytes = 256 * 1024;
    void fail() {
        m_failed = true;
        const QString reason = m_target.errorString();
        setErrorString(reason.isEmpty() || reason == u"Unknown error" ? kWriteFailed : reason);
    }
    QIODevice& m_target;
    QByteArray m_block;
    bool m_failed = false;
};

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

bool writeWhole(QIODevice& device, QByteArrayView bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = device.write(bytes.data() + written, bytes.size() - written);
        // A short write reports its cause only at the next attempt, which is this one.
        if (n <= 0) return false;
        written += n;
    }
    return true;
}

FileOutcome writeFileAtomically(const QString& path, const QByteArray& bytes) {
    return writeFileStreamed(path, [&bytes](QIODevice& device) {
        return writeWhole(device, bytes) ? QString() : device.errorString();
    });
}

FileOutcome writeFileStreamed(const QString& path, const std::function<QString(QIODevice&)>& produce) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return {kNotRegular};

    QSaveFile file(path);
    // Unbuffered: QSaveFile would otherwise meet a full disk only in commit()'s flush, and then
    // rename the cut-short file over the old one all the same. The collector in front keeps the
    // writes large.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return {file.errorString()};
    WriteCollector collector(file);
    QString problem = produce(collector);
    if (problem.isEmpty() && !collector.flushAll()) problem = collector.errorString();
    if (problem.isEmpty() && file.error() != QFileDevice::NoError) problem = file.errorString();
    if (!problem.isEmpty()) {
        file.cancelWriting();
        return {problem};
    }
    if (!file.commit()) return {file.errorString()};
    return {};
}

}  // namespace torbex::data
