#include "app/history_models.h"

#include <QBrush>

#include "app/grid_look.h"
#include "data/record_texts.h"
#include "data/ui_text.h"

namespace torbex::app {
namespace {

QVariant verdictColour(data::Verdict verdict) {
    switch (verdict) {
        case data::Verdict::Error:
        case data::Verdict::Fail: return QBrush(kJudgementRed);
        case data::Verdict::Pass: return QBrush(kJudgementBlack);
        case data::Verdict::NotMeasured: break;
    }
    return {};
}

}  // namespace

QString resultText(const std::optional<int>& tenths) { return tenths ? data::tenthsText(*tenths) : QStringLiteral("------"); }

QString dayText(const QDate& day) { return data::measureDateText(day); }
QString dayText(const QString& isoDay) { return dayText(QDate::fromString(isoDay, Qt::ISODate)); }

bool PumpListModel::overdue(int row) const {
    const QDate due = pump(row).due;
    return due.isValid() && due < m_today;
}

void PumpListModel::setPumps(std::vector<history::PumpSummary> pumps, const QDate& today) {
    beginResetModel();
    m_pumps = std::move(pumps);
    m_today = today;
    endResetModel();
}

QVariant PumpListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const history::PumpSummary& p = pump(index.row());
    if (role == Qt::ForegroundRole) {
        if (index.column() == Due && overdue(index.row())) return QBrush(kJudgementRed);
        if (index.column() == FlowVerdict) return verdictColour(p.lastFlow);
        if (index.column() == OcclusionVerdict) return verdictColour(p.lastOcclusion);
        return {};
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Rfid: return p.rfid;
        case ManagementNo: return p.managementNo;
        case Tests: return p.tests;
        case LastTest: return dayText(p.lastDate);
        case FlowVerdict: return data::verdictWord(p.lastFlow);
        case OcclusionVerdict: return data::verdictWord(p.lastOcclusion);
        case Due: return dayText(p.due);
        default: return {};
    }
}

QVariant PumpListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const UiText headings[] = {{QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")},
                                      {QT_TRANSLATE_NOOP("Texts", "管理番号")},
                                      {QT_TRANSLATE_NOOP("Texts", "試験回数")},
                                      {QT_TRANSLATE_NOOP("Texts", "最終試験日")},
                                      {QT_TRANSLATE_NOOP("Texts", "流量判定")},
                                      {QT_TRANSLATE_NOOP("Texts", "閉塞判定")},
                                      {QT_TRANSLATE_NOOP("Texts", "点検期限")}};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return headings[section].text();
}

void TestListModel::setTests(std::vector<history::KeptTest> tests) {
    beginResetModel();
    m_tests = std::move(tests);
    endResetModel();
}

QVariant TestListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const history::KeptTest& test = m_tests.at(static_cast<std::size_t>(index.row()));
    const data::MeasurementRecord& t = test.record;
    const data::Verdict flow = t.flowVerdict(), occlusion = t.occlusionVerdict();
    if (role == Qt::ForegroundRole) {
        if (index.column() == FlowVerdict || index.column() == FlowResult) return verdictColour(flow);
        if (index.column() == OcclusionVerdict || index.column() == OcclusionResult) return verdictColour(occlusion);
        return {};
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Date: return t.MeasureDate.text().trimmed();
        case Time: return t.MeasureTime.text().trimmed();
        case Tester: return test.testerSerial;
        case FlowSetting: return t.values.flowSetting ? QVariant(*t.values.flowSetting) : QVariant();
        case FlowResult: return resultText(t.flowResult());
        case FlowVerdict: return data::verdictWord(flow);
        case Level: return t.values.occlusionLevel ? data::occlusionLevelLetter(*t.values.occlusionLevel) : QString();
        case OcclusionResult: return resultText(t.occlusionResult());
        case OcclusionVerdict: return data::verdictWord(occlusion);
        default: return {};
    }
}

QVariant TestListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const UiText headings[] = {{QT_TRANSLATE_NOOP("Texts", "測定日")},
                                      {QT_TRANSLATE_NOOP("Texts", "測定時刻")},
                                      {QT_TRANSLATE_NOOP("Texts", "トルベックスs/n")},
                                      {QT_TRANSLATE_NOOP("Texts", "流量設定 (ml/h)")},
                                      {QT_TRANSLATE_NOOP("Texts", "流量測定結果 (%)")},
                                      {QT_TRANSLATE_NOOP("Texts", "流量判定")},
                                      {QT_TRANSLATE_NOOP("Texts", "閉塞設定")},
                                      {QT_TRANSLATE_NOOP("Texts", "閉塞測定結果 (kPa)")},
                                      {QT_TRANSLATE_NOOP("Texts", "閉塞判定")}};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return headings[section].text();
}

}  // namespace torbex::app
