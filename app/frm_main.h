#pragma once

#include <QTimer>
#include <QWidget>

#include "app/operator_dialogs.h"
#include "app/record_table_model.h"
#include "app/settings_file.h"
#include "app/window_buttons.h"
#include "app/window_controls.h"
#include "commands/poll_tick.h"
#include "commands/request_dispatcher.h"
#include "commands/requests.h"
#include "commands/tester_service.h"
#include "data/csv_format.h"
#include "data/record_store.h"
#include "history/history_store.h"

namespace torbex::app {

// What the main window is given from outside: the HID transport (USB or simulated), time, the
// event pump, the dialog seam and the folders for Setting.ini.
struct MainWindowServices {
    link::HidTransport& transport;
    const link::MonotonicClock& clock;
    link::EventPump& events;
    OperatorDialogs& dialogs;
    SettingsFolders folders;
    commands::RequestDispatcher::LocalClock localClock = &QDateTime::currentDateTime;
    // Tests step the poll tick by hand.
    bool runPollTimer = true;
    // Where the test history and the pump registry are kept; none: the window keeps no history.
    std::optional<history::DatabaseTarget> history;
    int inspectionIntervalMonths = 12;
};

// The main window: three pages sharing one client area, the page buttons, the connection label
// and serial banner, and the poll timer. It binds the controls to the logic in commands/ and
// data/ and holds little of its own.
class frmMain final : public QWidget, private commands::DispatcherView, private commands::ConnectionView {
    Q_OBJECT

public:
    explicit frmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up before the window is shown. False when the settings file cannot be written
    // anywhere: the operator has been told and the program must end.
    bool Form_Load();

    void cmdMode_Click(Page page);
    void Timer2_Timer();
    void Combo1_Click();
    // Rebuilds the heading strip, the data grid and the count labels from the record store.
    void DispData();
    // Writes Setting.ini; when that fails, tells the operator and ends the program.
    bool SaveSettingsFile();

    void Command1_Click(DataButton button);
    // A double-click on the data grid; only the management number column edits.
    void Grid2_DblClick(int row, int column);
    void Command5_Click(SettingsButton button);
    // Set the tester's clock, after a question.
    void Command2_Click();
    void Command3_Click(ModeButton button);
    void Command6_Click(FactoryButton button);
    void Command10_Click();
    // Opens the history window.
    void cmdHistory_Click();
    // Saves a report of the records on the page.
    void cmdReport_Click();

    const WindowControls& controls() const { return m_controls; }
    commands::TesterService& tester() { return m_tester; }
    commands::RequestQueue& requests() { return m_requests; }
    commands::TesterValues& values() { return m_values; }
    commands::PollTick& pollTick() { return m_pollTick; }
    data::RecordStore& store() { return m_store; }
    const SettingsFile& settingsFile() const { return m_settingsFile; }
    history::HistoryStore* historyStore() { return m_history.get(); }
    bool programEnded() const { return m_programEnded; }
    bool downloading() const { return m_downloading; }
    const QTimer& pollTimer() const { return m_timer2; }

    QString DataDirectory;
    // The row last double-clicked in the data grid.
    int EditRow = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Dispatcher display steps.
    void showTesterVersion() override;
    void showMeasurementSettings(const commands::MeasurementSettings& asRead) override;
    void showCalibrationAndSerial() override;
    // Poll tick display.
    void showConnection(commands::ConnectionState state) override;
    void resetSerialBanner() override;

    void fillLists();
    // Return, F2, Tab, F5 and Ctrl+S.
    void bindKeys();
    void endProgram();

    // Data page commands.
    bool unsavedDataGuard(bool hintOnRefusal);
    void loadData();
    void clearData();
    void saveFile();
    void readFile();
    void exitProgram();
    QString chosenDataFile(const QString& chosen);

    // History and registry: each says what went wrong to the operator and carries on.
    void openHistory();
    void registerNumber(const data::MeasurementRecord& record);
    void learnNumbersFromFile(const data::DataFileContents& file);

    MainWindowServices m_services;
    WindowControls m_controls;
    commands::TesterService m_tester;
    commands::RequestQueue m_requests;
    commands::TesterValues m_values;
    commands::RequestDispatcher m_dispatcher;
    commands::PollTick m_pollTick;
    data::RecordStore m_store;
    // The tester the records on the page were downloaded from; empty for records read from a file.
    QString m_recordsSerial;
    // The data file the save and read commands last named.
    QString m_dataFilePath;
    RecordTableModel m_model;
    SettingsFile m_settingsFile;
    std::unique_ptr<history::HistoryStore> m_history;
    QString m_historyProblem;
    QTimer m_timer2;
    bool m_programEnded = false;
    bool m_downloading = false;
    bool m_cancelDownload = false;
    bool m_exitConfirmed = false;
};

}  // namespace torbex::app
