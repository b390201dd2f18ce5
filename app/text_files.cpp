#include "app/text_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "data/cp932.h"

namespace torbex::app {
namespace {

QString skipLeadingSpaces(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ') ++first;
    return text.mid(first);
}

}  // namespace

std::unique_ptr<QFileDevice> OpenTextFile(const QString& path, QStringView mode) {
    std::unique_ptr<QFileDevice> file;
    QIODevice::OpenMode openMode;
    if (mode == u"Input") {
        file = std::make_unique<QFile>(path);
        openMode = QIODevice::ReadOnly;
    } else if (mode == u"Output") {
        file = std::make_unique<QSaveFile>(path);
        openMode = QIODevice::WriteOnly;
    } else if (mode == u"Append") {
        file = std::make_unique<QFile>(path);
        openMode = QIODevice::WriteOnly | QIODevice::Append;
    } else {
        return nullptr;
    }
    if (!file->open(openMode)) return nullptr;
    return file;
}

bool finishTextFile(QFileDevice& file) {
    if (auto* saveFile = dynamic_cast<QSaveFile*>(&file)) return saveFile->commit();
    const bool flushed = file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    return flushed;
}

std::int16_t ReadValueLabelFile(const QString& path, QStringList& values, QStringList& labels) {
    values = QStringList(kValueLabelLines);
    labels = QStringList(kValueLabelLines);
    const auto file = OpenTextFile(path, u"Input");
    if (!file) return -1;
    const QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError) return -1;
    return parseValueLabelText(bytes, values, labels);
}

std::int16_t parseValueLabelText(const QByteArray& bytes, QStringList& values, QStringList& labels) {
    values = QStringList(kValueLabelLines);
    labels = QStringList(kValueLabelLines);
    const std::optional<QString> text = data::decodeCp932(bytes);
    if (!text) return -1;

    QStringList lines = text->split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();  // the end of the last line is not a line
    if (lines.size() > kValueLabelLines) return -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const qsizetype comma = line.lastIndexOf(u',');
        values[i] = skipLeadingSpaces(comma < 0 ? line : line.left(comma));
        labels[i] = comma < 0 ? QString() : skipLeadingSpaces(line.mid(comma + 1));
    }
    return static_cast<std::int16_t>(lines.size());
}

bool writeValueLabels(QIODevice& device, int count, const QStringList& values, const QStringList& labels) {
    if (count < 0 || count > values.size() || count > labels.size()) return false;
    QString text;
    for (int i = 0; i < count; ++i) text += values[i] + u',' + labels[i] + QStringLiteral("\r\n");
    const std::optional<QByteArray> bytes = data::encodeCp932(text);
    return bytes && device.write(*bytes) == bytes->size();
}

std::int16_t WriteValueLabelFile(const QString& path, int count, const QStringList& values, const QStringList& labels) {
    const auto file = OpenTextFile(path, u"Output");
    if (!file) return -1;
    if (!writeValueLabels(*file, count, values, labels)) return -1;  // a QSaveFile not committed leaves the old file
    return finishTextFile(*file) ? 0 : -1;
}

QString StripTrailingBackslash(const QString& path) {
    if (path.endsWith(u'\\') || path.endsWith(u'/')) return path.left(path.size() - 1);
    return path;
}

bool IsFileAbsent(const QString& path) { return !QFileInfo(path).isFile(); }

}  // namespace torbex::app
