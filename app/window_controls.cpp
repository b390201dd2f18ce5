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

#include "app/operator_texts.h"
#include "app/window_fonts.h"

namespace torbex::app {
namespace {

constexpr int kTwipsPerPixel = 15;

QString indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

template <typename Widget>
Widget* place(Widget* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect geometry,
                    std::optional<QColor> colour = std::nullopt, bool bold = false) {
    auto* b = place(new QPushButton(caption, parent), name, geometry);
    if (colour) setBackground(b, *colour);
    QFont font = b->font();
    font.setBold(bold);
    b->setFont(font);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    return place(new QLabel(caption, parent), name, geometry);
}

QLabel* borderedLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    QLabel* l = label(parent, name, caption, geometry);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setLineWidth(1);
    return l;
}

// The coloured title band at the top of a page.
QLabel* titleBand(QWidget* parent, int index, const QString& caption, int top, const QColor& back, const QColor& text) {
    QLabel* l = label(parent, indexed("Label6", index), caption, twips(240, top, 13812, 372));
    l->setAlignment(Qt::AlignCenter);
    l->setFont(titleFont());
    setBackground(l, back);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, text);
    l->setPalette(palette);
    return l;
}

QFrame* page(QWidget* window, int index, const QColor& colour) {
    auto* frame = place(new QFrame(window), indexed("Frame3", index), twips(120, 1080, 14292, 9132));
    setBackground(frame, colour);
    return frame;
}

QFrame* line(QWidget* parent, const QString& name) {
    auto* l = place(new QFrame(parent), name, twips(360, 7440, 13920 - 360, 15));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    return l;
}

QLineEdit* textBox(QWidget* parent, const QString& name, QRect geometry, bool centred) {
    auto* t = place(new QLineEdit(parent), name, geometry);
    if (centred) t->setAlignment(Qt::AlignCenter);
    return t;
}

QGroupBox* groupBox(QWidget* parent, const QString& name, const QString& caption, QRect geometry, bool boldCaption) {
    auto* g = place(new QGroupBox(caption, parent), name, geometry);
    setBackground(g, QColor(0xFF, 0xFF, 0xC0));
    if (boldCaption) {
        QFont font = g->font();
        font.setBold(true);
        g->setFont(font);
    }
    return g;
}

void buildWindowLevel(QWidget* window, WindowControls& c) {
    c.cmdMode[0] = button(window, indexed("cmdMode", 0), QStringLiteral("データ収集"), twips(120, 120, 1692, 852), QColor(0xC0, 0xFF, 0xC0));
    c.cmdMode[1] = button(window, indexed("cmdMode", 1), QStringLiteral("設　　定"), twips(1800, 120, 1692, 852), QColor(0xFF, 0xE0, 0xC0));
    c.cmdMode[2] = button(window, indexed("cmdMode", 2), QStringLiteral("出荷時設定"), twips(8400, 120, 1692, 852), QColor(0xFF, 0xFF, 0xC0));
    c.cmdMode[2]->hide();

    c.Frame2 = place(new QFrame(window), QStringLiteral("Frame2"), twips(3720, 360, 4452, 612));
    setBackground(c.Frame2, QColor(0xE0, 0xE0, 0xE0));
    c.lblSN = label(c.Frame2, QStringLiteral("lblSN"), QStringLiteral("　トルベックス　s/n"), twips(240, 240, 3972, 252));
    c.lblSN->setFont(fixedPitchFont());

    c.Label1 = borderedLabel(window, QStringLiteral("Label1"), QString(), twips(11760, 0, 1464, 384));
    c.Label1->setAlignment(Qt::AlignCenter);
    QFont statusFont = c.Label1->font();
    statusFont.setPointSizeF(12);
    c.Label1->setFont(statusFont);

    // Lies beneath the page frames and is never seen; the grid code writes it all the same.
    c.Label2 = borderedLabel(window, QStringLiteral("Label2"), QStringLiteral("Label2"), twips(6840, 5280, 2350, 250));
    setBackground(c.Label2, QColor(0xE0, 0xE0, 0xE0));
}

void buildDataPage(QFrame* page, WindowControls& c) {
    c.Label6[1] = titleBand(page, 1, QStringLiteral("デ　　ー　　タ　　収　　集"), 240, QColor(0x00, 0xC0, 0x40), Qt::white);

    c.Grid1 = place(new QTableWidget(2, 9, page), QStringLiteral("Grid1"), twips(240, 960, 13812, 612));
    c.Grid2 = place(new QTableView(page), QStringLiteral("Grid2"), twips(240, 1560, 13812, 5052));
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

    c.Command1[0] = button(page, indexed("Command1", 0), QStringLiteral("データ読込"), twips(240, 7800, 1695, 612), QColor(0x00, 0xE0, 0x90), true);
    c.Command1[1] = button(page, indexed("Command1", 1), QStringLiteral("データクリア"), twips(2040, 7800, 1695, 612), std::nullopt, true);
    c.Command1[2] = button(page, indexed("Command1", 2), QStringLiteral("ファイル保存"), twips(3840, 7800, 1695, 612), QColor(0xFF, 0xA0, 0xA0), true);
    c.Command1[3] = button(page, indexed("Command1", 3), QStringLiteral("ファイル読出"), twips(5640, 7800, 1695, 612), std::nullopt, true);
    c.Command1[3]->hide();
    c.Command1[9] = button(page, indexed("Command1", 9), QStringLiteral("終　了"), twips(11880, 7800, 1695, 612), QColor(0xC0, 0xC0, 0xFF), true);

    c.List2 = place(new QListWidget(page), QStringLiteral("List2"), twips(7920, 7920, 855, 228));
    c.List2->hide();
    c.Label5 = label(page, QStringLiteral("Label5"), QStringLiteral("データ件数："), twips(8760, 7920, 1332, 252));
    setBackground(c.Label5, QColor(0xC0, 0xFF, 0xC0));
    c.Label4 = borderedLabel(page, QStringLiteral("Label4"), QString(), twips(10200, 7920, 1332, 372));
    c.Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setBackground(c.Label4, QColor(0xE0, 0xE0, 0xE0));

    // In the free band between the grid and the row of buttons, right-aligned with the exit button.
    c.cmdHistory = button(page, QStringLiteral("cmdHistory"), texts::kHistoryButton, twips(11880, 7080, 1695, 480), QColor(0xE0, 0xF0, 0xFF), true);
    c.cmdReport = button(page, QStringLiteral("cmdReport"), texts::kReportButton, twips(10080, 7080, 1695, 480), QColor(0xE0, 0xF0, 0xFF), true);
}

void buildSettingsPage(QFrame* page, WindowControls& c) {
    const QColor orange(0xFF, 0x80, 0x00);
    const QColor buttonOrange(0xFF, 0xC0, 0x80);
    c.Label6[0] = titleBand(page, 0, QStringLiteral("設　　　　　　　　定"), 240, orange, Qt::white);

    c.Frame1 = groupBox(page, QStringLiteral("Frame1"), QStringLiteral("流量・閉塞圧力測定設定"), twips(360, 960, 13452, 3132), true);
    QGroupBox* f = c.Frame1;
    c.Label3[0] = label(f, indexed("Label3", 0), QStringLiteral("流量（ml/h）"), twips(360, 600, 1692, 252));
    c.Text2[0] = textBox(f, indexed("Text2", 0), twips(2820, 600, 1464, 315), true);
    c.Label3[9] = label(f, indexed("Label3", 9), QStringLiteral("閉塞圧力（kpa）"), twips(360, 1080, 1932, 252));
    c.Text2[3] = textBox(f, indexed("Text2", 3), twips(2820, 1080, 1464, 330), true);
    c.Text2[3]->setEnabled(false);
    c.Combo1 = place(new QComboBox(f), QStringLiteral("Combo1"), twips(4320, 1080, 735, 324));
    c.Label3[1] = label(f, indexed("Label3", 1), QStringLiteral("測定データ書き込み　モード設定"), twips(360, 1680, 2292, 492));
    c.Label3[1]->setWordWrap(true);
    c.Combo2 = place(new QComboBox(f), QStringLiteral("Combo2"), twips(2880, 1680, 2052, 324));
    c.Label3[2] = label(f, indexed("Label3", 2), QStringLiteral("ＩＣタグ使用設定"), twips(360, 2400, 1872, 252));
    c.Combo3 = place(new QComboBox(f), QStringLiteral("Combo3"), twips(2880, 2400, 2052, 324));
    c.Label3[3] = label(f, indexed("Label3", 3), QStringLiteral("流量表示単位"), twips(6240, 600, 1812, 252));
    c.Combo4 = place(new QComboBox(f), QStringLiteral("Combo4"), twips(8400, 600, 1812, 324));
    c.Label3[4] = label(f, indexed("Label3", 4), QStringLiteral("閉塞圧力表示単位"), twips(6240, 1080, 2112, 252));
    c.Combo5 = place(new QComboBox(f), QStringLiteral("Combo5"), twips(8400, 1080, 1812, 324));
    c.Command5[1] = button(f, indexed("Command5", 1), QStringLiteral("転送"), twips(11400, 480, 1695, 615), buttonOrange, true);
    c.Command5[0] = button(f, indexed("Command5", 0), QStringLiteral("読み出し"), twips(11400, 1320, 1695, 615), buttonOrange, true);

    c.Label3[10] = label(page, indexed("Label3", 10), QStringLiteral("シリンジポンプテスター・プログラムバージョン："), twips(360, 4680, 4212, 252));
    c.Label3[11] = borderedLabel(page, indexed("Label3", 11), QString(), twips(4680, 4680, 1452, 372));
    c.Label3[11]->setAlignment(Qt::AlignCenter);
    c.Label3[10]->hide();
    c.Label3[11]->hide();
    c.Label6[2] = titleBand(page, 2, QStringLiteral("モ　ー　ド　変　更"), 5040, orange, Qt::white);
    c.Command3[0] = button(page, indexed("Command3", 0), QStringLiteral("通常モード"), twips(360, 5640, 1935, 615), buttonOrange, true);
    c.Command3[1] = button(page, indexed("Command3", 1), QStringLiteral("校正モード"), twips(2400, 5640, 1935, 615), buttonOrange, true);
    c.Line1 = line(page, QStringLiteral("Line1"));
    c.Command2 = button(page, QStringLiteral("Command2"), QStringLiteral("日付・時刻設定"), twips(360, 7800, 1935, 615), buttonOrange, true);
    c.Command10 = button(page, QStringLiteral("Command10"), QStringLiteral("終　了"), twips(11880, 7800, 1695, 615), buttonOrange, true);
    c.Command10->hide();
}

void buildFactoryPage(QFrame* page, WindowControls& c) {
    const QColor buttonRed(0xFF, 0x80, 0x80);
    const QColor buttonOrange(0xFF, 0xC0, 0x80);
    c.Label6[4] = titleBand(page, 4, QStringLiteral("出　荷　時　設　定"), 240, QColor(0xFF, 0xFF, 0xC0), Qt::black);

    c.Frame5 = groupBox(page, QStringLiteral("Frame5"), QStringLiteral("閉塞圧力校正値設定"), twips(360, 960, 13452, 3444), false);
    QGroupBox* f = c.Frame5;
    c.Label3[22] = label(f, indexed("Label3", 22), QStringLiteral("校正係数　ａ0"), twips(240, 360, 1452, 252));
    c.txtHeisoku[0] = textBox(f, indexed("txtHeisoku", 0), twips(2280, 360, 1812, 270), false);
    c.Label3[23] = label(f, indexed("Label3", 23), QStringLiteral("校正係数　a1"), twips(240, 840, 1452, 252));
    c.txtHeisoku[1] = textBox(f, indexed("txtHeisoku", 1), twips(2280, 840, 1812, 270), false);
    c.Label3[21] = label(f, indexed("Label3", 21), QStringLiteral("校正係数　a2"), twips(240, 1320, 1452, 252));
    c.txtHeisoku[2] = textBox(f, indexed("txtHeisoku", 2), twips(2280, 1320, 1812, 270), false);
    c.Label3[5] = label(f, indexed("Label3", 5), QStringLiteral("シリアル番号"), twips(6120, 360, 1452, 252));
    c.txtSerial = textBox(f, QStringLiteral("txtSerial"), twips(7800, 360, 1812, 270), false);
    c.Command6[0] = button(f, indexed("Command6", 0), QStringLiteral("読み出し"), twips(11400, 240, 1695, 615), buttonRed);
    c.Command6[1] = button(f, indexed("Command6", 1), QStringLiteral("設定"), twips(11400, 960, 1695, 615), buttonRed);

    c.Label6[3] = titleBand(page, 3, QStringLiteral("モ　ー　ド　変　更"), 5040, QColor(0xFF, 0x80, 0x00), Qt::white);
    // Seven spaces and an ideographic space push the second word onto its own line.
    c.Command3[2] = button(page, indexed("Command3", 2), QStringLiteral("プログラム       　書き換えモード"),
                           twips(360, 5640, 1935, 615), buttonOrange);
    c.Line2 = line(page, QStringLiteral("Line2"));
    c.Command4 = button(page, QStringLiteral("Command4"), QStringLiteral("終　了"), twips(11880, 7800, 1695, 615), buttonOrange);
    c.Command4->hide();
}

}  // namespace

QRect twips(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), std::max(1, twipsToPixels(height)));
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
    c.Frame3[0] = page(window, 0, QColor(0xC0, 0xFF, 0xC0));
    c.Frame3[1] = page(window, 1, QColor(0xFF, 0xE0, 0xC0));
    c.Frame3[2] = page(window, 2, QColor(0xC0, 0xC0, 0xFF));
    buildDataPage(c.Frame3[0], c);
    buildSettingsPage(c.Frame3[1], c);
    buildFactoryPage(c.Frame3[2], c);
    c.Frame3[1]->hide();
    c.Frame3[2]->hide();
    return c;
}

}  // namespace torbex::app
