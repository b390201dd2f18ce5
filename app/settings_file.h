#pragma once

#include <QString>
#include <span>
#include <optional>

#include "app/text_files.h"
#include "commands/tester_values.h"

namespace torbex::app {

inline const QString kSettingsFileName = QStringLiteral("Setting.ini");

// What Setting.ini keeps.
struct StoredSettings {
    commands::MeasurementSettings measurement;
    QString DataDirectory;
};

// The settings the nine lines of a file hold, or nullopt when the program cannot keep them.
std::optional<StoredSettings> storedSettingsFrom(std::span<const ValueLabel> lines);

// Folders the settings file may live in.
struct SettingsFolders {
    QString programFolder;    // beside the program: first choice, so a portable copy carries its settings
    QString configFolder;     // the user's configuration folder, for an installed program
    QString documentsFolder;  // the default data folder
};

// Setting.ini: nine "value,label" lines in code page 932. Only a line's position gives its
// meaning; the labels are written for people.
class SettingsFile {
public:
    explicit SettingsFile(SettingsFolders folders);

    struct LoadResult {
        StoredSettings settings;
        bool readable = false;  // false: the defaults are in settings and the file must be rewritten
    };
    // Reads the file. A file that is missing, unreadable, or holds values the program cannot
    // keep (a level other than 0 to 2, a write mode or RFID use other than 0 or 1, display units
    // other than 0 to 3, a number beyond 16 bits, a flow rate that is not a finite number) gives
    // the defaults.
    LoadResult load() const;

    // Writes the nine lines; false when no folder would take the file. Once the program folder
    // has refused a write, the file lives in the configuration folder.
    bool save(const StoredSettings& settings);

    StoredSettings defaults() const;
    // Where the file is read from and written to now.
    QString path() const;

private:
    bool programFolderUsable() const;
    bool configFileIsNewer() const;

    SettingsFolders m_folders;
    bool m_useConfigFolder;
};

}  // namespace torbex::app
