// The settings page, the clock and mode buttons, and the factory page. Each button only checks
// its input, updates the held values and queues a request; the next tick carries it out.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "app/operator_texts.h"
#include "commands/clock_and_calibration.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"

namespace torbex::app {

using commands::Request;

void frmMain::Command5_Click(SettingsButton button) {
    if (button == SettingsButton::Read) {
        m_requests.queue(Request::ReadSettings);
        return;
    }
    // A list left without a selection by a read stands for "unchanged", never for index -1.
    const auto selected = [](const QComboBox* list) {
        return list->currentIndex() >= 0 ? std::optional(list->currentIndex()) : std::nullopt;
    };
    const commands::SettingsChoice choice{m_controls.Text2[0]->text(), selected(m_controls.Combo1),
                                          selected(m_controls.Combo2),  selected(m_controls.Combo3),
                                          selected(m_controls.Combo4),  selected(m_controls.Combo5)};
    const auto transfer = commands::checkSettingsTransfer(m_values.measurementSettings, m_values.settingsAsRead, choice);
    if (!transfer) {
        m_services.dialogs.showMessage(texts::kInvalidInput, texts::kFlowRateRange);
        m_controls.Text2[0]->setText(commands::formatFlowRate(m_values.measurementSettings.FlowRate));
        return;
    }
    m_values.measurementSettings = transfer->held;
    m_values.settingsToSend = transfer->sent;
    if (!SaveSettingsFile()) return;
    m_requests.queue(Request::WriteSettings);
}

void frmMain::showMeasurementSettings(const commands::MeasurementSettings& asRead) {
    m_controls.Text2[0]->setText(commands::formatFlowRate(m_values.measurementSettings.FlowRate));
    if (const auto range = commands::occlusionRangeText(asRead.OcclusionLevel)) m_controls.Text2[3]->setText(texts::rangeShown(*range));
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
    if (m_services.dialogs.askYesNo(texts::kConfirm, texts::clockQuestion(m_services.localClock())))
        m_requests.queue(Request::SetClock);
}

void frmMain::Command3_Click(ModeButton button) {
    switch (button) {
        case ModeButton::Normal: m_requests.queueModeChange(commands::TesterMode::Normal); break;
        case ModeButton::Calibration: m_requests.queueModeChange(commands::TesterMode::Calibration); break;
        case ModeButton::ProgramRewrite: m_requests.queue(Request::ProgramRewrite); break;
    }
}

void frmMain::Command6_Click(FactoryButton button) {
    if (button == FactoryButton::Read) {
        m_requests.queue(Request::ReadCalibration);
        return;
    }
    const commands::CalibrationCheck check = commands::checkCalibrationWrite(
        {m_controls.txtHeisoku[0]->text(), m_controls.txtHeisoku[1]->text(), m_controls.txtHeisoku[2]->text()},
        m_controls.txtSerial->text());
    if (!check.write) {
        m_services.dialogs.showMessage(texts::kInvalidInput,
                                       check.problem == commands::CalibrationProblem::SerialCharacters
                                           ? texts::kSerialCharacters
                                           : texts::kCoefficientRange);
        return;
    }
    m_values.calibrationCoefficients = check.write->coefficients;
    m_values.serialToSend = check.write->serialNumber;
    m_requests.queue(Request::WriteCalibration);
}

void frmMain::Command10_Click() {
    // The same way out as the data page's exit: records not yet saved are asked about first.
    Command1_Click(DataButton::Exit);
}

}  // namespace torbex::app
