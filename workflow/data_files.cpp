#include "workflow/data_files.h"

#include <algorithm>

namespace torbex::workflow {
namespace {

bool headingRefused(const data::DataFileContents& file) {
    return !file.problems.empty() && file.problems.front().fault == data::LineFault::Heading;
}

}  // namespace

DataFile readDataFile(const QString& path) {
    data::CsvReader reader;
    if (!reader.readFile(path)) return {{}, reader.errorString()};
    return {reader.contents(), {}};
}

LearnedNumbers learnNumbers(history::HistoryStore& store, const data::DataFileContents& file) {
    LearnedNumbers learned;
    if (headingRefused(file)) {
        learned.skipped = file.problems;
        return learned;
    }
    std::vector<data::MeasurementRecord> taken;
    auto problem = file.problems.begin();
    for (std::size_t i = 0; i < file.records.size(); ++i) {
        while (problem != file.problems.end() && problem->line < file.recordLines[i]) ++problem;
        const bool refused = problem != file.problems.end() && problem->line == file.recordLines[i];
        if (refused) {
            learned.skipped.push_back(*problem);
        } else {
            taken.push_back(file.records[i]);
        }
    }
    auto conflicts = store.learnNumbers(taken, history::ChangeSource::File);
    if (!conflicts) {
        learned.error = conflicts.error();
    } else {
        learned.conflicts = std::move(conflicts.value());
    }
    return learned;
}

std::variant<std::vector<CheckedFile>, ImportRefusal> checkDataFiles(const QStringList& paths) {
    std::vector<CheckedFile> files;
    for (const QString& path : paths) {
        DataFile file = readDataFile(path);
        if (!file.error.isEmpty()) return ImportRefusal{path, file.error, 0};
        if (!file.contents.problems.empty()) {
            const data::LineProblem& first = file.contents.problems.front();
            return ImportRefusal{path, data::describe(first.fault), first.line};
        }
        files.push_back({path, std::move(file.contents.records)});
    }
    return files;
}

QString importDataFiles(history::HistoryStore& store, const std::vector<CheckedFile>& files,
                        const std::function<void(const CheckedFile&, const history::ImportSummary&)>& done) {
    for (const CheckedFile& file : files) {
        const auto recorded = store.recordDataFile(file.records);
        if (!recorded) return file.path + QStringLiteral(": ") + recorded.error();
        done(file, recorded.value());
    }
    return {};
}

}  // namespace torbex::workflow
