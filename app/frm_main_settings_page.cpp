// The settings page, the clock and mode buttons, and the factory page. Each button only checks
// its input, updates the held values and queues a request; the next tick carries it out.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "commands/clock_and_calibration.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"

namespace torbex::app {

void frmMain::Command5_Click(int index) {
    if (index == 0) {
        m_session.requests.queueRequest(kRequestReadSettings);
        return;
    }
    commands::TesterValues& values = m_session.values;
    // A list left without a selection by a read stands for "unchanged", never for index -1.
    const auto selected = [](const QComboBox* list) {
        return list->currentIndex() >= 0 ? std::optional(list->currentIndex()) : std::nullopt;
    };
    const commands::SettingsChoice choice{m_controls.Text2[0]->text(), selected(m_controls.Combo1),
                                          selected(m_controls.Combo2),  selected(m_controls.Combo3),
                                          selected(m_controls.Combo4),  selected(m_controls.Combo5)};
    const auto transfer = commands::checkSettingsTransfer(values.measurementSettings, values.settingsAsRead, choice);
    if (!transfer) {
        m_services.dialogs.showMessage(commands::kInvalidInputTitle, commands::kFlowRateRangeMessage);
        m_controls.Text2[0]->setText(commands::formatFlowRate(values.measurementSettings.FlowRate));
        return;
    }
    values.measurementSettings = transfer->held;
    values.settingsToSend = transfer->sent;
    if (!SaveSettingsFile()) return;
    m_session.requests.queueRequest(kRequestWriteSettings);
}

void frmMain::showMeasurementSettings(const commands::MeasurementSettings& asRead) {
    const commands::MeasurementSettings& held = m_session.values.measurementSettings;
    m_controls.Text2[0]->setText(commands::formatFlowRate(held.FlowRate));
    if (const auto range = commands::occlusionRangeText(asRead.OcclusionLevel)) m_controls.Text2[3]->setText(*range);
    // A value the list cannot show leaves it without a selection rather than on a wrong entry.
    const auto select = [](QComboBox* list, int index, bool listed) { list->setCurrentIndex(listed ? index : -1); };
    select(m_controls.Combo1, asRead.OcclusionLevel, commands::levelListed(asRead.OcclusionLevel));
    select(m_controls.Combo2, asRead.WriteMode, commands::writeModeListed(asRead.WriteMode));
    select(m_controls.Combo3, asRead.RfidUse, commands::rfidUseListed(asRead.RfidUse));
    const bool unitsListed = commands::displayUnitsListed(asRead.DisplayUnits);
    select(m_controls.Combo4, asRead.DisplayUnits & 1, unitsListed);
    select(m_controls.Combo5, (asRead.DisplayUnits >> 1) & 1, unitsListed);
}

void frmMain::Command2_Click() {
    if (m_services.dialogs.askYesNo(kConfirmTitle, commands::clockPrompt(m_services.localClock())))
        m_session.requests.queueRequest(kRequestSetClock);
}

void frmMain::Command3_Click(int index) {
    switch (index) {
        case 0: m_session.requests.queueRequest(kRequestChangeMode, kNormalMode); break;
        case 1: m_session.requests.queueRequest(kRequestChangeMode, kCalibrationMode); break;
        case 2: m_session.requests.queueRequest(kRequestProgramRewrite); break;
        default: break;
    }
}

void frmMain::Command6_Click(int index) {
    if (index == 0) {
        m_session.requests.queueRequest(kRequestReadCalibration);
        return;
    }
    const commands::CalibrationCheck check = commands::checkCalibrationWrite(
        {m_controls.txtHeisoku[0]->text(), m_controls.txtHeisoku[1]->text(), m_controls.txtHeisoku[2]->text()},
        m_controls.txtSerial->text());
    if (!check.write) {
        m_services.dialogs.showMessage(commands::kInvalidInputTitle, check.problem);
        return;
    }
    m_session.values.calibrationCoefficients = check.write->coefficients;
    m_session.values.SerialNumber = check.write->serialNumber;
    m_session.requests.queueRequest(kRequestWriteCalibration);
}

void frmMain::Command10_Click() {
    // The same way out as the data page's exit: records not yet saved are asked about first.
    Command1_Click(9);
}

}  // namespace torbex::app
