#include "app/frm_main.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/connection_label.h"
#include "app/operator_texts.h"
#include "app/window_fonts.h"
#include "app/window_keys.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"
#include "app/grid_look.h"
#include "data/ui_text.h"

namespace torbex::app {
namespace {

constexpr UiText kWindowTitle{QT_TRANSLATE_NOOP("Texts", "トルベックス　設定・データソフト(V1.02)")};
constexpr int kClientWidthTwips = 14436;
constexpr int kClientHeightTwips = 10224;
constexpr int kShortFrame1HeightTwips = 2052;

void setBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

}  // namespace

frmMain::frmMain(MainWindowServices services, QWidget* parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_tester(m_services.transport, m_services.clock, m_services.events),
      m_dispatcher(m_tester, m_requests, m_values, m_services.localClock),
      m_pollTick(m_tester, m_requests, m_dispatcher, *this),
      m_model(m_store),
      m_settingsFile(m_services.folders) {
    setWindowTitle(kWindowTitle);
    setFont(controlFont());
    // The layout is fixed; on a screen smaller than it, the window scrolls rather than lose a part.
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    for (QWidget* area : {static_cast<QWidget*>(this), client}) setBackground(area, QColor(0xE0, 0xE0, 0xE0));
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(client);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    // Room for a scroll bar beside the layout, never more.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMaximumSize(client->size() + QSize(bar, bar));
    resize(client->size());
    m_controls = buildWindowControls(client);
    m_controls.Grid2->setModel(&m_model);
    m_controls.Grid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_dispatcher.setView(this);

    for (const auto& [index, button] : m_controls.cmdMode)
        connect(button, &QPushButton::clicked, this, [this, index = index] { cmdMode_Click(static_cast<Page>(index)); });
    connect(m_controls.Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    for (const auto& [index, button] : m_controls.Command1)
        connect(button, &QPushButton::clicked, this, [this, index = index] { Command1_Click(static_cast<DataButton>(index)); });
    for (const auto& [index, button] : m_controls.Command5)
        connect(button, &QPushButton::clicked, this, [this, index = index] { Command5_Click(static_cast<SettingsButton>(index)); });
    for (const auto& [index, button] : m_controls.Command3)
        connect(button, &QPushButton::clicked, this, [this, index = index] { Command3_Click(static_cast<ModeButton>(index)); });
    for (const auto& [index, button] : m_controls.Command6)
        connect(button, &QPushButton::clicked, this, [this, index = index] { Command6_Click(static_cast<FactoryButton>(index)); });
    connect(m_controls.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(m_controls.Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    connect(m_controls.cmdHistory, &QPushButton::clicked, this, [this] { cmdHistory_Click(); });
    connect(m_controls.cmdReport, &QPushButton::clicked, this, [this] { cmdReport_Click(); });
    connect(m_controls.Grid2, &QTableView::doubleClicked, this,
            [this](const QModelIndex& cell) { Grid2_DblClick(cell.row(), cell.column()); });

    bindKeys();

    m_timer2.setInterval(commands::PollTick::kIntervalMs);
    connect(&m_timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
}

frmMain::~frmMain() { m_dispatcher.setView(nullptr); }

void frmMain::bindKeys() {
    // The arrows move within the grid; Tab leaves it.
    m_controls.Grid2->setTabKeyNavigation(false);
    auto* keys = new WindowKeys(this);
    keys->openOnReturn(m_controls.Grid2, [this](const QModelIndex& cell) { Grid2_DblClick(cell.row(), cell.column()); });
    std::vector<QWidget*> stops;
    for (QWidget* control : findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QPushButton*>(control)) keys->pressOnReturn(button);
        if ((control->focusPolicy() & Qt::TabFocus) && !qobject_cast<QComboBox*>(control->parentWidget()) &&
            control != m_controls.cmdReport && control != m_controls.cmdHistory)
            stops.push_back(control);
    }
    orderTabs(stops, {m_controls.cmdReport, m_controls.cmdHistory});

    // Keys for the data page's two most used buttons, while that page is in view.
    const auto shortcut = [this](QKeySequence keySequence, QPushButton* button, const QString& tip) {
        button->setToolTip(tip);
        connect(new QShortcut(keySequence, this), &QShortcut::activated, this, [this, button] {
            if (button->isVisibleTo(this) && button->isEnabled()) button->click();
        });
    };
    shortcut(QKeySequence(Qt::Key_F5), m_controls.Command1.at(static_cast<int>(DataButton::Load)), texts::kLoadKeyTip);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), m_controls.Command1.at(static_cast<int>(DataButton::Save)), texts::kSaveKeyTip);
}

bool frmMain::Form_Load() {
    const SettingsFile::LoadResult loaded = m_settingsFile.load();
    m_values.measurementSettings = loaded.settings.measurement;
    DataDirectory = loaded.settings.DataDirectory;
    if (!loaded.readable) {
        m_services.dialogs.showMessage(texts::kSettingsFileError, texts::kSettingsUnreadable);
        if (!SaveSettingsFile()) return false;
    }

    m_pollTick.show(commands::ConnectionState::Unknown);

    m_store.clear();
    DispData();
    m_store.unsaved = false;
    m_controls.Label4->setText(QStringLiteral("0"));

    const commands::MeasurementSettings& settings = m_values.measurementSettings;
    m_controls.Text2[0]->setText(commands::formatFlowRate(settings.FlowRate));
    m_controls.Text2[3]->setText(texts::rangeShown(commands::occlusionRangeText(settings.OcclusionLevel).value_or(QString())));

    m_controls.txtHeisoku[0]->setText(QStringLiteral("0.95"));
    m_controls.txtHeisoku[1]->setText(QStringLiteral("0.105"));
    m_controls.txtHeisoku[2]->setText(QStringLiteral("0"));

    m_requests.queue(commands::Request::ReadVersion);
    m_pollTick.setDispatchEnabled(true);
    openHistory();

    fillLists();

    cmdMode_Click(Page::Data);

    for (QWidget* hidden : std::initializer_list<QWidget*>{
             m_controls.Label3[1], m_controls.Label3[2], m_controls.Label3[3], m_controls.Label3[4], m_controls.Label6[2],
             m_controls.Command3[0], m_controls.Command3[1], m_controls.Combo2, m_controls.Combo3, m_controls.Combo4,
             m_controls.Combo5, m_controls.Command5[0]})
        hidden->hide();
    QRect frame1 = m_controls.Frame1->geometry();
    frame1.setHeight(twipsToPixels(kShortFrame1HeightTwips));
    m_controls.Frame1->setGeometry(frame1);

    if (m_services.runPollTimer) m_timer2.start();
    return true;
}

void frmMain::fillLists() {
    const commands::MeasurementSettings& settings = m_values.measurementSettings;
    auto fill = [](QComboBox* combo, const QStringList& items, int selected) {
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(selected);
    };
    fill(m_controls.Combo1, {Texts::tr("Ｌ"), Texts::tr("Ｍ"), Texts::tr("Ｈ")}, settings.OcclusionLevel);
    fill(m_controls.Combo2, {Texts::tr("通常モード"), Texts::tr("上書きモード")}, settings.WriteMode);
    fill(m_controls.Combo3, {Texts::tr("使用する"), Texts::tr("使用しない")}, settings.RfidUse);
    // The unit lists start at their first entries whatever the file holds.
    fill(m_controls.Combo4, {Texts::tr("％"), Texts::tr("ｍｌ／ｈ")}, 0);
    fill(m_controls.Combo5, {Texts::tr("ｋｐａ"), Texts::tr("ｍｍＨｇ")}, 0);
}

void frmMain::cmdMode_Click(Page page) {
    const int shown = static_cast<int>(page);
    for (const auto& [i, frame] : m_controls.Frame3) frame->setVisible(i == shown);
    for (const auto& [i, button] : m_controls.cmdMode) setBold(button, i == shown);
}

void frmMain::Timer2_Timer() { m_pollTick.tick(); }

void frmMain::Combo1_Click() {
    if (const auto range = commands::occlusionRangeText(m_controls.Combo1->currentIndex()))
        m_controls.Text2[3]->setText(texts::rangeShown(*range));
}

void frmMain::DispData() {
    QTableWidget* grid1 = m_controls.Grid1;
    QTableView* grid2 = m_controls.Grid2;

    grid1->clearSpans();
    for (int column = 0; column < data::kGridColumns; ++column) {
        const auto c = static_cast<std::size_t>(column);
        grid1->setColumnWidth(column, twipsToPixels(kGridColumnWidths[c].headingTwips));
        for (int row = 0; row < 2; ++row) {
            auto* item = new QTableWidgetItem(data::kGridHeadings.at(c).text());
            item->setBackground(kHeadingGreen);
            item->setTextAlignment(Qt::AlignCenter);
            grid1->setItem(row, column, item);
        }
        // No two neighbouring headings are equal, so each heading is one cell two rows high.
        grid1->setSpan(0, column, 2, 1);
    }
    const int headingRow = grid1->rowHeight(0);
    QRect strip = grid1->geometry();
    strip.setHeight(2 * headingRow + 4);
    grid1->setGeometry(strip);

    m_model.refresh();
    for (int column = 0; column < data::kGridColumns; ++column)
        grid2->setColumnWidth(column, twipsToPixels(kGridColumnWidths[static_cast<std::size_t>(column)].dataTwips));
    QRect table = grid2->geometry();
    table.moveTop(grid1->y() + 2 * headingRow + 3);
    table.setHeight(data::kVisibleRows * grid2->rowHeight(0) + 4);
    grid2->setGeometry(table);
    grid2->verticalScrollBar()->setRange(0, std::max(0, m_model.rowCount() - data::kVisibleRows));
    grid2->verticalScrollBar()->setValue(data::firstVisibleRow(m_store.count()));

    const QString count = data::countText(m_store.count());
    m_controls.Label2->setText(Texts::tr("データ数：") + count);
    m_controls.Label4->setText(count);
}

bool frmMain::SaveSettingsFile() {
    if (m_settingsFile.save({m_values.measurementSettings, DataDirectory})) return true;
    m_services.dialogs.showMessage(texts::kSettingsFileError, texts::kSettingsUnwritable);
    endProgram();
    return false;
}

void frmMain::endProgram() {
    m_programEnded = true;
    m_timer2.stop();
    hide();
    if (QCoreApplication::instance() != nullptr) QCoreApplication::exit(1);
}

void frmMain::showTesterVersion() { m_controls.Label3[11]->setText(m_values.TesterVersion); }

void frmMain::showCalibrationAndSerial() {
    m_controls.txtSerial->setText(m_values.serialAsRead);
    for (std::size_t i = 0; i < m_values.calibrationCoefficients.size(); ++i)
        m_controls.txtHeisoku[static_cast<int>(i)]->setText(commands::formatCoefficient(m_values.calibrationCoefficients[i]));
    m_controls.lblSN->setText(serialBanner(m_values.serialAsRead));
}

void frmMain::showConnection(commands::ConnectionState state) {
    m_controls.Label1->setText(connectionCaption(state));
    setBackground(m_controls.Label1, connectionColour(state));
}

void frmMain::resetSerialBanner() { m_controls.lblSN->setText(kSerialBannerPrefix); }

}  // namespace torbex::app
