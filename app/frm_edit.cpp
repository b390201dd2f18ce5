#include "app/frm_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/operator_texts.h"
#include "data/management_number.h"
#include "app/window_controls.h"
#include "app/window_fonts.h"
#include "app/window_layout.h"
#include "data/ui_text.h"

namespace torbex::app {

frmEdit::frmEdit(OperatorDialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs) {
    setWindowTitle(Texts::tr("データ編集"));
    setFixedSize(twipsToPixels(kEditorWidth), twipsToPixels(kEditorHeight));

    lblEdit[0] = new QLabel(Texts::tr("管理番号"), this);
    placeControl(lblEdit[0], QStringLiteral("lblEdit(0)"));

    txtEdit[0] = new QLineEdit(this);
    placeControl(txtEdit[0], QStringLiteral("txtEdit(0)"));
    txtEdit[0]->setAlignment(Qt::AlignCenter);
    // The record keeps ten characters: a longer number is never cut without the operator seeing it.
    txtEdit[0]->setMaxLength(10);
    QFont entryFont = controlFont();
    entryFont.setPointSizeF(12);
    txtEdit[0]->setFont(entryFont);

    lblEdit[1] = new QLabel(Texts::tr("シリンジポンプの管理番号を入力して下さい。　　（半角文字列　最大10桁）"), this);
    placeControl(lblEdit[1], QStringLiteral("lblEdit(1)"));
    wrapWords(lblEdit[1]);

    CmdEdit[0] = new QPushButton(Texts::tr("確　　定"), this);
    placeControl(CmdEdit[0], QStringLiteral("CmdEdit(0)"));
    CmdEdit[1] = new QPushButton(Texts::tr("キャンセル"), this);
    placeControl(CmdEdit[1], QStringLiteral("CmdEdit(1)"));
    // Enter in the entry confirms; the buttons are not default buttons, so Enter elsewhere does not.
    CmdEdit[0]->setAutoDefault(false);
    CmdEdit[1]->setAutoDefault(false);
    // Tab runs entry, confirm, cancel: the order they are made in.

    connect(CmdEdit[0], &QPushButton::clicked, this, [this] { CmdEdit_Click(EditButton::Confirm); });
    connect(CmdEdit[1], &QPushButton::clicked, this, [this] { CmdEdit_Click(EditButton::Cancel); });
    connect(txtEdit[0], &QLineEdit::returnPressed, this, [this] { CmdEdit_Click(EditButton::Confirm); });
}

void frmEdit::setEntry(const QString& text) { txtEdit[0]->setText(text); }

QString frmEdit::entry() const { return txtEdit.at(0)->text(); }

void frmEdit::CmdEdit_Click(EditButton button) {
    if (button != EditButton::Confirm) {
        reject();
        return;
    }
    if (const auto problem = data::managementNumberProblem(entry())) {
        // The entry stays as typed, for correction.
        m_dialogs.showMessage(texts::kError, texts::managementNumberMessage(*problem));
        txtEdit[0]->setFocus();
        return;
    }
    accept();
}

void frmEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtEdit[0]->setFocus();
}

}  // namespace torbex::app
