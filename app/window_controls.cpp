#include "app/window_controls.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <span>

#include "app/caption_button.h"
#include "app/operator_texts.h"
#include "app/title_band.h"
#include "app/window_fonts.h"
#include "app/window_layout.h"
#include "data/ui_text.h"

namespace torbex::app {
namespace {

constexpr int kTwipsPerPixel = 15;

QString indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

const ControlPlace* placeOf(QStringView name) {
    using Places = std::span<const ControlPlace>;
    for (const Places places : {Places(kControlPlaces), Places(kEditorPlaces)})
        for (const ControlPlace& place : places)
            if (place.name == name) return &place;
    return nullptr;
}

template <typename Widget>
Widget* place(Widget* widget, const QString& name) {
    placeControl(widget, name);
    return widget;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, bool bold = false) {
    auto* b = place(new CaptionButton(caption, parent), name);
    QFont font = b->font();
    font.setBold(bold);
    b->setFont(font);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption) {
    return place(new QLabel(caption, parent), name);
}

QLabel* borderedLabel(QWidget* parent, const QString& name, const QString& caption) {
    QLabel* l = label(parent, name, caption);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    return l;
}

// The coloured title band at the top of a page.
QLabel* titleBand(QWidget* parent, int index, const QString& caption, const QColor& text) {
    QLabel* l = place(new TitleBand(caption, parent), indexed("Label6", index));
    l->setFont(titleFont());
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, text);
    l->setPalette(palette);
    return l;
}

QFrame* page(QWidget* window, int index) { return place(new QFrame(window), indexed("Frame3", index)); }

QFrame* line(QWidget* parent, const QString& name) {
    auto* l = place(new QFrame(parent), name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    return l;
}

QLineEdit* textBox(QWidget* parent, const QString& name, bool centred) {
    auto* t = place(new QLineEdit(parent), name);
    if (centred) t->setAlignment(Qt::AlignCenter);
    return t;
}

QGroupBox* groupBox(QWidget* parent, const QString& name, const QString& caption, bool boldCaption) {
    auto* g = place(new QGroupBox(caption, parent), name);
    if (boldCaption) {
        QFont font = g->font();
        font.setBold(true);
        g->setFont(font);
    }
    return g;
}

void buildWindowLevel(QWidget* window, WindowControls& c) {
    c.cmdMode[0] = button(window, indexed("cmdMode", 0), Texts::tr("データ収集"));
    c.cmdMode[1] = button(window, indexed("cmdMode", 1), Texts::tr("設　　定"));
    c.cmdMode[2] = button(window, indexed("cmdMode", 2), Texts::tr("出荷時設定"));
    c.cmdMode[2]->hide();

    c.Frame2 = place(new QFrame(window), QStringLiteral("Frame2"));
    c.lblSN = label(c.Frame2, QStringLiteral("lblSN"), Texts::tr("　トルベックス　s/n"));
    c.lblSN->setFont(fixedPitchFont());

    c.Label1 = borderedLabel(window, QStringLiteral("Label1"), QString());
    c.Label1->setAlignment(Qt::AlignCenter);
    QFont statusFont = c.Label1->font();
    statusFont.setPointSizeF(12);
    c.Label1->setFont(statusFont);

    // Lies beneath the page frames and is never seen; the grid code writes it all the same.
    c.Label2 = borderedLabel(window, QStringLiteral("Label2"), QStringLiteral("Label2"));
}

void buildDataPage(QFrame* page, WindowControls& c) {
    c.Label6[1] = titleBand(page, 1, Texts::tr("デ　　ー　　タ　　収　　集"), Qt::white);

    c.Grid1 = place(new QTableWidget(2, 9, page), QStringLiteral("Grid1"));
    c.Grid2 = place(new QTableView(page), QStringLiteral("Grid2"));
    for (QTableView* grid : {static_cast<QTableView*>(c.Grid1), c.Grid2}) {
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->setFont(gridFont());
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setMinimumSectionSize(kGridRowHeightPixels);
        grid->verticalHeader()->setDefaultSectionSize(kGridRowHeightPixels);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    c.Grid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.Grid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.Grid1->setSelectionMode(QAbstractItemView::NoSelection);
    c.Grid1->setFocusPolicy(Qt::NoFocus);
    c.Grid2->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    c.Grid2->setSelectionMode(QAbstractItemView::SingleSelection);

    c.Command1[0] = button(page, indexed("Command1", 0), Texts::tr("データ読込"), true);
    c.Command1[1] = button(page, indexed("Command1", 1), Texts::tr("データクリア"), true);
    c.Command1[2] = button(page, indexed("Command1", 2), Texts::tr("ファイル保存"), true);
    c.Command1[3] = button(page, indexed("Command1", 3), Texts::tr("ファイル読出"), true);
    c.Command1[3]->hide();
    c.Command1[9] = button(page, indexed("Command1", 9), Texts::tr("終　了"), true);

    c.List2 = place(new QListWidget(page), QStringLiteral("List2"));
    c.List2->hide();
    c.Label5 = label(page, QStringLiteral("Label5"), Texts::tr("データ件数："));
    c.Label4 = borderedLabel(page, QStringLiteral("Label4"), QString());
    c.Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    c.cmdHistory = button(page, QStringLiteral("cmdHistory"), texts::kHistoryButton, true);
    c.cmdReport = button(page, QStringLiteral("cmdReport"), texts::kReportButton, true);
}

void buildSettingsPage(QFrame* page, WindowControls& c) {
    c.Label6[0] = titleBand(page, 0, Texts::tr("設　　　　　　　　定"), Qt::white);

    c.Frame1 = groupBox(page, QStringLiteral("Frame1"), Texts::tr("流量・閉塞圧力測定設定"), true);
    QGroupBox* f = c.Frame1;
    c.Label3[0] = label(f, indexed("Label3", 0), Texts::tr("流量（ml/h）"));
    c.Text2[0] = textBox(f, indexed("Text2", 0), true);
    c.Label3[9] = label(f, indexed("Label3", 9), Texts::tr("閉塞圧力（kpa）"));
    c.Text2[3] = textBox(f, indexed("Text2", 3), true);
    c.Text2[3]->setEnabled(false);
    c.Combo1 = place(new QComboBox(f), QStringLiteral("Combo1"));
    c.Label3[1] = label(f, indexed("Label3", 1), Texts::tr("測定データ書き込み　モード設定"));
    wrapWords(c.Label3[1]);
    c.Combo2 = place(new QComboBox(f), QStringLiteral("Combo2"));
    c.Label3[2] = label(f, indexed("Label3", 2), Texts::tr("ＩＣタグ使用設定"));
    c.Combo3 = place(new QComboBox(f), QStringLiteral("Combo3"));
    c.Label3[3] = label(f, indexed("Label3", 3), Texts::tr("流量表示単位"));
    c.Combo4 = place(new QComboBox(f), QStringLiteral("Combo4"));
    c.Label3[4] = label(f, indexed("Label3", 4), Texts::tr("閉塞圧力表示単位"));
    c.Combo5 = place(new QComboBox(f), QStringLiteral("Combo5"));
    c.Command5[1] = button(f, indexed("Command5", 1), Texts::tr("転送"), true);
    c.Command5[0] = button(f, indexed("Command5", 0), Texts::tr("読み出し"), true);

    c.Label3[10] = label(page, indexed("Label3", 10), Texts::tr("シリンジポンプテスター・プログラムバージョン："));
    c.Label3[11] = borderedLabel(page, indexed("Label3", 11), QString());
    c.Label3[11]->setAlignment(Qt::AlignCenter);
    c.Label3[10]->hide();
    c.Label3[11]->hide();
    c.Label6[2] = titleBand(page, 2, Texts::tr("モ　ー　ド　変　更"), Qt::white);
    c.Command3[0] = button(page, indexed("Command3", 0), Texts::tr("通常モード"), true);
    c.Command3[1] = button(page, indexed("Command3", 1), Texts::tr("校正モード"), true);
    c.Line1 = line(page, QStringLiteral("Line1"));
    c.Command2 = button(page, QStringLiteral("Command2"), Texts::tr("日付・時刻設定"), true);
    c.Command10 = button(page, QStringLiteral("Command10"), Texts::tr("終　了"), true);
    c.Command10->hide();
}

void buildFactoryPage(QFrame* page, WindowControls& c) {
    c.Label6[4] = titleBand(page, 4, Texts::tr("出　荷　時　設　定"), Qt::black);

    c.Frame5 = groupBox(page, QStringLiteral("Frame5"), Texts::tr("閉塞圧力校正値設定"), false);
    QGroupBox* f = c.Frame5;
    c.Label3[22] = label(f, indexed("Label3", 22), Texts::tr("校正係数　ａ0"));
    c.txtHeisoku[0] = textBox(f, indexed("txtHeisoku", 0), false);
    c.Label3[23] = label(f, indexed("Label3", 23), Texts::tr("校正係数　a1"));
    c.txtHeisoku[1] = textBox(f, indexed("txtHeisoku", 1), false);
    c.Label3[21] = label(f, indexed("Label3", 21), Texts::tr("校正係数　a2"));
    c.txtHeisoku[2] = textBox(f, indexed("txtHeisoku", 2), false);
    c.Label3[5] = label(f, indexed("Label3", 5), Texts::tr("シリアル番号"));
    c.txtSerial = textBox(f, QStringLiteral("txtSerial"), false);
    c.Command6[0] = button(f, indexed("Command6", 0), Texts::tr("読み出し"));
    c.Command6[1] = button(f, indexed("Command6", 1), Texts::tr("設定"));

    c.Label6[3] = titleBand(page, 3, Texts::tr("モ　ー　ド　変　更"), Qt::white);
    // Seven spaces and an ideographic space push the second word onto its own line.
    c.Command3[2] = button(page, indexed("Command3", 2), Texts::tr("プログラム       　書き換えモード"));
    c.Line2 = line(page, QStringLiteral("Line2"));
    c.Command4 = button(page, QStringLiteral("Command4"), Texts::tr("終　了"));
    c.Command4->hide();
}

}  // namespace

QRect twips(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), std::max(1, twipsToPixels(height)));
}

void placeControl(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    const ControlPlace* where = placeOf(name);
    Q_ASSERT(where);  // every control has a place in the layout
    if (!where) return;
    widget->setGeometry(twips(where->left, where->top, where->width, where->height));
    if (where->background != kNoColour) setBackground(widget, QColor::fromRgb(static_cast<QRgb>(where->background)));
}

void wrapWords(QLabel* label) {
    label->setWordWrap(true);
    // Boxes drawn for a smaller face than the one this machine has grow to show every line.
    label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
}

int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

WindowControls buildWindowControls(QWidget* window) {
    WindowControls c;
    buildWindowLevel(window, c);
    c.Frame3[0] = page(window, 0);
    c.Frame3[1] = page(window, 1);
    c.Frame3[2] = page(window, 2);
    buildDataPage(c.Frame3[0], c);
    buildSettingsPage(c.Frame3[1], c);
    buildFactoryPage(c.Frame3[2], c);
    c.Frame3[1]->hide();
    c.Frame3[2]->hide();
    return c;
}

}  // namespace torbex::app
