#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/operator_dialogs.h"
#include "app/settings_file.h"
#include "app/window_controls.h"
#include "commands/tester_session.h"
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
class frmMain final : public QWidget, private commands::DispatcherView, private link::PollView {
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

    const WindowControls& controls() const { return m_controls; }
    commands::TesterSession& session() { return m_session; }
    data::RecordStore& store() { return m_store; }
    link::PollLoop& pollLoop() { return m_pollLoop; }
    const SettingsFile& settingsFile() const { return m_settingsFile; }
    bool programEnded() const { return m_programEnded; }

    QString DataDirectory;

private:
    // Dispatcher display steps.
    void showTesterAbsent() override;
    void showTesterVersion() override;
    void showCalibrationAndSerial() override;
    // Poll tick display.
    void showConnectionLabel(link::ConnectionLabel label) override;
    void resetSerialBanner() override;

    void fillLists();
    void endProgram();

    MainWindowServices m_services;
    WindowControls m_controls;
    commands::TesterSession m_session;
    link::PollLoop m_pollLoop;
    data::RecordStore m_store;
    data::RecordTableModel m_model;
    SettingsFile m_settingsFile;
    QTimer m_timer2;
    bool m_programEnded = false;
};

}  // namespace torbex::app
