// Where the history is kept and how often pumps are due: torbex.conf, beside Setting.ini, holds
// what the department shares; Setting.ini stays the tester's settings alone.
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "history/history_store.h"

namespace torbex::history {
namespace {

constexpr int kLongestIntervalMonths = 120;

// The value of `key` in the first torbex.conf of `folders` that holds it, and that file's folder.
std::optional<std::pair<QString, QString>> configured(const QStringList& folders,
                                                      const QString& key) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QStringLiteral("torbex.conf"));
        if (folder.isEmpty() || !QFileInfo(path).isFile()) continue;
        const QSettings conf(path, QSettings::IniFormat);
        // QSettings splits a value at its commas; a connection string may hold one.
        const QString value = conf.value(key).toStringList().join(QStringLiteral(", ")).trimmed();
        if (!value.isEmpty()) return std::pair{value, folder};
    }
    return std::nullopt;
}

}  // namespace

DatabaseTarget DatabaseTarget::fromText(const QString& text) {
    const QString value = text.trimmed();
    if (value.startsWith(QStringLiteral("sqlite:"))) return {Kind::Sqlite, value.mid(7)};
    // A connection string may well end in ".db" (application_name=x.db, a URI's database).
    if (value.contains(u'=') || value.startsWith(QStringLiteral("postgresql://")) ||
        value.startsWith(QStringLiteral("postgres://")))
        return {Kind::Postgres, value};
    if (value.endsWith(QStringLiteral(".sqlite"), Qt::CaseInsensitive) ||
        value.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        return {Kind::Sqlite, value};
    return {Kind::Postgres, value};
}

DatabaseTarget chooseDatabase(const QStringList& settingsFolders,
                              const std::optional<QString>& chosen) {
    if (chosen && !chosen->trimmed().isEmpty()) return DatabaseTarget::fromText(*chosen);
    if (const QString fromEnvironment = qEnvironmentVariable("TORBEX_DATABASE");
        !fromEnvironment.trimmed().isEmpty())
        return DatabaseTarget::fromText(fromEnvironment);
    if (const auto line = configured(settingsFolders, QStringLiteral("history/database"))) {
        DatabaseTarget target = DatabaseTarget::fromText(line->first);
        // A file named in torbex.conf lies beside it unless the path says otherwise.
        if (target.kind == DatabaseTarget::Kind::Sqlite)
            target.location = QDir(line->second).absoluteFilePath(target.location);
        return target;
    }
    return {DatabaseTarget::Kind::Sqlite,
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                .filePath(QStringLiteral("history.sqlite"))};
}

QString configuredInspector(const QStringList& settingsFolders) {
    const auto line = configured(settingsFolders, QStringLiteral("report/inspector"));
    return line ? line->first : QString();
}

QString configuredLanguage(const QStringList& settingsFolders) {
    const auto line = configured(settingsFolders, QStringLiteral("ui/language"));
    return line ? line->first : QString();
}

InspectionInterval inspectionIntervalMonths(const QStringList& settingsFolders) {
    const auto line = configured(settingsFolders, QStringLiteral("history/interval"));
    if (!line) return {};
    bool whole = false;
    const int months = line->first.toInt(&whole);
    if (whole && months >= 1 && months <= kLongestIntervalMonths) return {months, {}};
    InspectionInterval unusable;  // the default, and why
    unusable.problem =
        QStringLiteral("%1: [history] interval=%2 is not a whole number of months from 1 to %3")
            .arg(QDir(line->second).filePath(QStringLiteral("torbex.conf")), line->first,
                 QString::number(kLongestIntervalMonths));
    return unusable;
}

}  // namespace torbex::history
