#include "app/frm_pump.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/operator_texts.h"
#include "app/register_texts.h"
#include "data/management_number.h"
#include "workflow/shared_texts.h"
#include "data/ui_text.h"

namespace torbex::app {

frmPump::frmPump(const history::RegisteredPump& pump, OperatorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setWindowTitle(texts::kPumpTitle);
    setMinimumWidth(480);  // room for a location or a note without scrolling
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(Texts::tr("シリンジポンプRFID"), this), new QLabel(pump.rfid, this));
    for (const QString& field : history::pumpFieldNames()) {
        if (field == u"status") {
            cboStatus = new QComboBox(this);
            cboStatus->setObjectName(QStringLiteral("cboStatus"));
            cboStatus->addItems({texts::kInService, texts::kRetired});
            cboStatus->setCurrentIndex(pump.details.retired ? 1 : 0);
            form->addRow(texts::fieldLabel(field), cboStatus);
            continue;
        }
        auto* edit = new QLineEdit(history::fieldValue(pump, field), this);
        edit->setObjectName(QStringLiteral("txt_") + field);
        edit->setMaxLength(history::fieldLimit(field));
        txtField[field] = edit;
        form->addRow(texts::fieldLabel(field), edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Texts::tr("確　　定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Texts::tr("キャンセル"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmPump::cmdOk_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::map<QString, QString> frmPump::fields() const {
    std::map<QString, QString> values;
    for (const auto& [field, edit] : txtField) values[field] = edit->text();
    values[QStringLiteral("status")] = history::statusWord(cboStatus->currentIndex() == 1);
    return values;
}

void frmPump::cmdOk_Click() {
    for (const auto& [field, value] : fields()) {
        const auto problem = history::fieldProblem(field, value);
        if (!problem) continue;
        const auto number = data::managementNumberProblem(value);
        m_dialogs.showMessage(texts::kError, field == u"number" && number ? workflow::texts::managementNumberMessage(*number)
                                                                          : texts::fieldProblemMessage(field, *problem));
        txtField.at(field)->setFocus();
        return;
    }
    accept();
}

}  // namespace torbex::app
