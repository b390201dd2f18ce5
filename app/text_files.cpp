#include "app/text_files.h"

#include <QFileInfo>
#include <QStringList>

#include "data/cp932.h"

namespace torbex::app {
namespace {

QString skipLeadingSpaces(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ') ++first;
    return text.mid(first);
}

}  // namespace

std::optional<std::vector<ValueLabel>> parseValueLabels(const QByteArray& bytes) {
    const std::optional<QString> text = data::decodeCp932(bytes);
    if (!text) return std::nullopt;
    QStringList lines = text->split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();  // the end of the last line is not a line
    if (lines.size() > kMaxValueLabelLines) return std::nullopt;
    std::vector<ValueLabel> parsed;
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        const qsizetype comma = line.lastIndexOf(u',');
        parsed.push_back({skipLeadingSpaces(comma < 0 ? line : line.left(comma)),
                          comma < 0 ? QString() : skipLeadingSpaces(line.mid(comma + 1))});
    }
    return parsed;
}

std::optional<std::vector<ValueLabel>> readValueLabelFile(const QString& path) {
    const data::FileBytes file = data::readRegularFile(path, data::kMaxSettingsFileBytes);
    if (!file.ok()) return std::nullopt;
    return parseValueLabels(file.bytes);
}

std::optional<QByteArray> valueLabelBytes(std::span<const ValueLabel> lines) {
    QString text;
    for (const ValueLabel& line : lines) text += line.value + u',' + line.label + QStringLiteral("\r\n");
    return data::encodeCp932(text);
}

data::FileOutcome writeValueLabelFile(const QString& path, std::span<const ValueLabel> lines) {
    const std::optional<QByteArray> bytes = valueLabelBytes(lines);
    if (!bytes) return {QStringLiteral("a text code page 932 cannot hold")};
    return data::writeFileAtomically(path, *bytes);
}

QString withoutTrailingSeparator(const QString& path) {
    if (path.endsWith(u'\\') || path.endsWith(u'/')) return path.left(path.size() - 1);
    return path;
}

bool isFile(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace torbex::app
