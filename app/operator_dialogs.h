#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>

class QWidget;

namespace torbex::history {
class HistoryStore;
struct RegisteredPump;
}

namespace torbex::app {

// A download's progress as the operator sees it, with a way to stop it.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void show(int slot, int slots, int records) = 0;
    virtual bool cancelled() const = 0;
};

// Every message the operator sees goes through here, so tests can read and answer them.
class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;
    // A message with one OK button.
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // A question with Yes and No; only Yes returns true.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;

    struct FileChoice {
        QString title;
        QString filter;  // "*.csv"
        QString folder;  // where the dialog opens; empty: where it was last
        QString name;    // the file name proposed; empty: none
    };
    // The file the operator chose to write, or nullopt when the dialog was cancelled.
    virtual std::optional<QString> chooseFileToWrite(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseFileToRead(const FileChoice& choice) = 0;

    // Shows the management number editor with the current number; the new entry when
    // confirmed, nullopt when cancelled.
    virtual std::optional<QString> editManagementNumber(const QString& current) = 0;

    // Asks who signs a report, proposing `proposed` (or the name entered last time); the entry
    // when confirmed, nullopt when cancelled.
    virtual std::optional<QString> askInspector(const QString& proposed) = 0;

    // Shows one pump's form of the register; its fields by their register names when confirmed,
    // nullopt when cancelled.
    virtual std::optional<std::map<QString, QString>> editPump(const history::RegisteredPump& pump) = 0;

    // Shows a download's progress until the returned view is destroyed.
    virtual std::unique_ptr<ProgressView> showDownloadProgress() = 0;

    // The history window, until the operator closes it.
    virtual void showHistory(history::HistoryStore& store, int intervalMonths) = 0;
};

}  // namespace torbex::app
