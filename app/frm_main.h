#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/operator_dialogs.h"
#include "app/settings_file.h"
#include "app/window_controls.h"
#include "commands/tester_session.h"
#include "data/measurement_download.h"
#include "data/record_store.h"
#include "data/record_table_model.h"
#include "link/poll_loop.h"

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
};

// The main window: three pages sharing one client area, the page buttons, the connection label
// and serial banner, and the poll timer. It binds the controls to the logic in link/, commands/
// and data/ and holds little of its own.
class frmMain final : public QWidget,
                      private commands::DispatcherView,
                      private link::PollView,
                      private data::DownloadView {
    Q_OBJECT

public:
    explicit frmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up before the window is shown. False when the settings file cannot be written
    // anywhere: the operator has been told and the program must end.
    bool Form_Load();

    void cmdMode_Click(int index);
    void Timer2_Timer();
    void Combo1_Click();
    // Rebuilds the heading strip, the data grid and the count labels from the record store.
    void DispData();
    // Writes Setting.ini; when that fails, tells the operator and ends the program.
    bool SaveSettingsFile();

    // The data page's buttons: 0 load, 1 clear, 2 save, 3 read, 9 exit.
    void Command1_Click(int index);
    // A double-click on the data grid; only the management number column edits.
    void Grid2_DblClick(int row, int column);

    // Settings page: 0 read, 1 transfer.
    void Command5_Click(int index);
    // Set the tester's clock, after a question.
    void Command2_Click();
    // Modes: 0 normal, 1 calibration, 2 program rewrite.
    void Command3_Click(int index);
    // Factory page: 0 read calibration and serial number, 1 write them.
    void Command6_Click(int index);
    void Command10_Click();

    const WindowControls& controls() const { return m_controls; }
    commands::TesterSession& session() { return m_session; }
    data::RecordStore& store() { return m_store; }
    link::PollLoop& pollLoop() { return m_pollLoop; }
    const SettingsFile& settingsFile() const { return m_settingsFile; }
    bool programEnded() const { return m_programEnded; }
    bool downloading() const { return m_downloading; }

    QString DataDirectory;
    // The row last double-clicked in the data grid.
    std::int16_t EditRow = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Dispatcher display steps.
    void showTesterAbsent() override;
    void showTesterVersion() override;
    void showMeasurementSettings(const commands::MeasurementSettings& asRead) override;
    void showCalibrationAndSerial() override;
    // Poll tick display.
    void showConnectionLabel(link::ConnectionLabel label) override;
    void resetSerialBanner() override;
    // Download display.
    void showRecordCountLabels() override;
    void showProgress(int records) override;

    void fillLists();
    void endProgram();

    // Data page commands.
    bool unsavedDataGuard(bool hintOnRefusal);
    void loadData();
    void clearData();
    void saveFile();
    void readFile();
    void exitProgram();
    QString chosenDataFile(const QString& chosen);

    MainWindowServices m_services;
    WindowControls m_controls;
    commands::TesterSession m_session;
    link::PollLoop m_pollLoop;
    data::RecordStore m_store;
    data::RecordTableModel m_model;
    data::MeasurementDownload m_download;
    SettingsFile m_settingsFile;
    QTimer m_timer2;
    bool m_programEnded = false;
    bool m_downloading = false;
    bool m_exitConfirmed = false;
};

}  // namespace torbex::app
