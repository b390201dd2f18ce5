#pragma once

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

#include "history/history_store.h"

namespace torbex::workflow {

// The register as a spreadsheet keeps it: this heading, then one pump per line.
extern const char* const kRegisterHeading;

// A register file read and checked: every pump, and the models' intervals it gives.
struct RegisterFile {
    std::vector<history::RegisteredPump> pumps;
    std::vector<history::ModelInterval> intervals;
};
// Every line that failed, each with its number and why; nothing is taken from such a file.
struct RegisterProblems {
    std::vector<std::pair<int, QString>> lines;  // line 0: the file as a whole
};

// Reads UTF-8 (with or without a byte-order mark) or code page 932. An RFID is 16 hexadecimal
// digits and stands once; the number follows the editor's rules; the status is in-service,
// retired or blank (in service); the interval is whole months from 1 to 120, or blank, and the
// same for every pump of a model.
std::variant<RegisterFile, RegisterProblems> readRegisterCsv(const QByteArray& bytes);

// The register file at `path` read and checked; a file that cannot be read is line 0's problem.
std::variant<RegisterFile, RegisterProblems> readRegisterFile(const QString& path);

// The register in UTF-8 with a byte-order mark: every pump listed, with its model's own interval
// where `models` gives one (blank where torbex.conf's applies).
QByteArray registerCsv(const std::vector<history::PumpSummary>& pumps, const std::vector<history::ModelInterval>& models);

}  // namespace torbex::workflow
