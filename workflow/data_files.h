#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

#include "data/csv_format.h"
#include "history/history_store.h"

namespace torbex::workflow {

// A data file as the window shows it: read as leniently as ever, with the lines an import would
// refuse noted for the checks that follow. Empty error when it could be read.
struct DataFile {
    data::DataFileContents contents;
    QString error;
};
DataFile readDataFile(const QString& path);

// What learning a file's numbers did: the numbers that differ from the registry's (the registry's
// stand), and the lines whose numbers were not taken because the line is not in the data file's
// form; with a heading that is not the data file's, no line's number is taken.
struct LearnedNumbers {
    std::vector<history::NumberConflict> conflicts;
    std::vector<data::LineProblem> skipped;
    QString error;  // why the registry could not learn; empty when it did
};
LearnedNumbers learnNumbers(history::HistoryStore& store, const data::DataFileContents& file);

// Why a file cannot be imported: it cannot be read, or a line is not in the data file's form.
struct ImportRefusal {
    QString path;
    QString why;  // the reader's words, or the line's fault described
    int line = 0;  // the line at fault; 0 when the file as a whole is
};

// The files whole and checked, each with its records, or the first reason to import none.
struct CheckedFile {
    QString path;
    std::vector<data::MeasurementRecord> records;
};
std::variant<std::vector<CheckedFile>, ImportRefusal> checkDataFiles(const QStringList& paths);

// Checked files into the history, each in one transaction (tests and numbers), so that an
// import cut short leaves whole files only and running it again completes the set. `done` hears
// of each file as soon as it is in. Empty when every file went in, else the database's reason.
QString importDataFiles(history::HistoryStore& store, const std::vector<CheckedFile>& files,
                        const std::function<void(const CheckedFile&, const history::ImportSummary&)>& done);

}  // namespace torbex::workflow
