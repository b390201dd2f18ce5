#include "app/text_files.h"

#include <QFileInfo>

#include "data/cp932.h"
#include "data/file_io.h"

namespace torbex::app {
namespace {

QString skipLeadingSpaces(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ') ++first;
    return text.mid(first);
}

}  // namespace

std::int16_t ReadValueLabelFile(const QString& path, QStringList& values, QStringList& labels) {
    values = QStringList(kValueLabelLines);
    labels = QStringList(kValueLabelLines);
    const data::FileBytes file = data::readRegularFile(path, data::kMaxSettingsFileBytes);
    if (!file.ok()) return -1;
    return parseValueLabelText(file.bytes, values, labels);
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

std::optional<QByteArray> valueLabelBytes(int count, const QStringList& values, const QStringList& labels) {
    if (count < 0 || count > values.size() || count > labels.size()) return std::nullopt;
    QString text;
    for (int i = 0; i < count; ++i) text += values[i] + u',' + labels[i] + QStringLiteral("\r\n");
    return data::encodeCp932(text);
}

std::int16_t WriteValueLabelFile(const QString& path, int count, const QStringList& values, const QStringList& labels) {
    const std::optional<QByteArray> bytes = valueLabelBytes(count, values, labels);
    if (!bytes) return -1;
    return data::writeFileAtomically(path, *bytes).ok() ? 0 : -1;
}

QString StripTrailingBackslash(const QString& path) {
    if (path.endsWith(u'\\') || path.endsWith(u'/')) return path.left(path.size() - 1);
    return path;
}

bool IsFileAbsent(const QString& path) { return !QFileInfo(path).isFile(); }

}  // namespace torbex::app
