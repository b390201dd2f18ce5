#include "app/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "app/text_files.h"
#include "commands/plain_text.h"
#include "commands/value_text.h"
#include "data/cp932.h"

namespace torbex::app {
namespace {

constexpr int kLines = 9;
const std::array<QString, kLines> kLabels{
    QStringLiteral("[00] 流量設定(ml/h)"),    QStringLiteral("[01] 平均数(未使用)"),
    QStringLiteral("[02] 測定数(未使用)"),     QStringLiteral("[03] 閉塞圧力(kpa)"),
    QStringLiteral("[04] 閉塞設定(L/M/H)"),    QStringLiteral("[05] 測定データ書き込みモード"),
    QStringLiteral("[06] RFID使用／未使用"),   QStringLiteral("[07] 測定単位設定"),
    QStringLiteral("[08] データディレクトリ"),
};

// No folder means no file; the name alone would land in the filesystem root.
QString fileIn(const QString& folder) {
    return folder.isEmpty() ? QString() : withoutTrailingSeparator(folder) + u'/' + kSettingsFileName;
}

// parseDecimal reads "nan", "inf", a number beyond the double range and a value with no number
// at all (an empty line, the NULs a power cut leaves) as 0; such a value was not written by this
// program and must not pass as a 0.
std::optional<double> numberValue(const QString& text) {
    static const QRegularExpression leadingNumber(QStringLiteral("^[ \\t]*[+-]?([0-9]|\\.[0-9])"));
    if (!leadingNumber.match(text).hasMatch()) return std::nullopt;
    if (!std::isfinite(text.trimmed().toDouble())) return std::nullopt;
    return commands::parseDecimal(text);
}

// The rounded 16-bit value of a text, or nullopt when it does not fit.
std::optional<std::int16_t> integerValue(const QString& text) {
    const std::optional<double> number = numberValue(text);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<float> floatValue(const QString& text) {
    const std::optional<double> value = numberValue(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

}  // namespace

std::optional<StoredSettings> storedSettingsFrom(std::span<const ValueLabel> lines) {
    // A file cut short (a power cut while it was written by another program) is not read in part.
    if (lines.size() < kLines) return std::nullopt;
    const auto flow = floatValue(lines[0].value);
    const auto average = integerValue(lines[1].value);
    const auto measure = integerValue(lines[2].value);
    const auto pressure = floatValue(lines[3].value);
    const auto level = integerValue(lines[4].value);
    const auto writeMode = integerValue(lines[5].value);
    const auto rfidUse = integerValue(lines[6].value);
    const auto units = integerValue(lines[7].value);
    if (!flow || !average || !measure || !pressure || !level || !writeMode || !rfidUse || !units) return std::nullopt;
    // Values the settings lists cannot show would be sent to the tester unseen.
    if (*level < 0 || *level > 2 || (*writeMode != 0 && *writeMode != 1) || (*rfidUse != 0 && *rfidUse != 1) ||
        *units < 0 || *units > 3)
        return std::nullopt;

    StoredSettings settings;
    settings.measurement = {*flow, *average, *measure, *pressure, *level, *writeMode, *rfidUse, *units};
    settings.DataDirectory = lines[8].value;
    return settings;
}

SettingsFile::SettingsFile(SettingsFolders folders) : m_folders(std::move(folders)) {
    m_useConfigFolder = !programFolderUsable() || configFileIsNewer();
}

bool SettingsFile::programFolderUsable() const {
    if (m_folders.programFolder.isEmpty()) return false;
    const QFileInfo folder(m_folders.programFolder);
    // A read-only file in a writable folder cannot be replaced either: a save would go to the
    // configuration folder, and the next start must look there.
    const QFileInfo file(fileIn(m_folders.programFolder));
    return folder.isDir() && folder.isWritable() && (!file.exists() || file.isWritable());
}

bool SettingsFile::configFileIsNewer() const {
    // A save that the program folder refused went to the configuration folder, and the old file
    // beside the program stayed; the newer of the two holds what was saved last.
    const QFileInfo program(fileIn(m_folders.programFolder));
    const QFileInfo config(fileIn(m_folders.configFolder));
    return program.isFile() && config.isFile() && config.lastModified() > program.lastModified();
}

QString SettingsFile::path() const {
    return fileIn(m_useConfigFolder ? m_folders.configFolder : m_folders.programFolder);
}

StoredSettings SettingsFile::defaults() const {
    StoredSettings settings;
    settings.DataDirectory = m_folders.documentsFolder;
    return settings;
}

SettingsFile::LoadResult SettingsFile::load() const {
    QString source = path();
    // When the file is not where it is written now, the other folder may hold it: an installed
    // program may ship its settings beside itself, and a program folder that looked writable but
    // refused the last save sent the file to the configuration folder.
    const QString other = fileIn(m_useConfigFolder ? m_folders.programFolder : m_folders.configFolder);
    if (!isFile(source) && isFile(other)) source = other;

    if (const auto lines = readValueLabelFile(source)) {
        if (auto settings = storedSettingsFrom(*lines)) return {*settings, true};
    }
    return {defaults(), false};
}

bool SettingsFile::save(const StoredSettings& settings) {
    const commands::MeasurementSettings& m = settings.measurement;
    // A folder name the code page cannot hold is not kept; the save dialog then opens in the
    // documents folder, which beats losing the whole file.
    const QString folder = data::encodeCp932(settings.DataDirectory) ? settings.DataDirectory : QString();
    const std::array<QString, kLines> values{commands::formatFlowRate(m.FlowRate),  QString::number(m.AverageCount),
                                             QString::number(m.MeasureCount),        commands::formatFlowRate(m.OcclusionPressure),
                                             QString::number(m.OcclusionLevel),      QString::number(m.WriteMode),
                                             QString::number(m.RfidUse),             QString::number(m.DisplayUnits),
                                             folder};
    std::array<ValueLabel, kLines> lines;
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = {values[i], kLabels[i]};

    if (m_useConfigFolder && !m_folders.configFolder.isEmpty()) QDir().mkpath(m_folders.configFolder);
    if (writeValueLabelFile(path(), lines)) return true;
    if (m_useConfigFolder || m_folders.configFolder.isEmpty()) return false;
    m_useConfigFolder = true;
    QDir().mkpath(m_folders.configFolder);
    return writeValueLabelFile(path(), lines).ok();
}

}  // namespace torbex::app
