#pragma once

#include <QString>

namespace torbex::app {

// The data file name the save and read commands use: in the file-name part of the path (after
// its last separator) everything from the first "." on is dropped, then ".csv" is appended.
// "data" and "data.txt" give "data.csv"; "data.2013.csv" gives "data.csv"; the folder part stays.
QString withCsvExtension(const QString& path);

// The folder that holds a file, in the platform's own notation.
QString folderOf(const QString& path);

}  // namespace torbex::app
