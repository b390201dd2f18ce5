#include "app/history_models.h"

#include <QBrush>

#include "data/grid_cells.h"

namespace torbex::app {
namespace {

using Result = data::Verdict::Result;

QVariant verdictColour(Result result) {
    switch (result) {
        case Result::Error:
        case Result::Fail: return QBrush(data::kJudgementRed);
        case Result::Pass: return QBrush(data::kJudgementBlack);
        case Result::NotMeasured: break;
    }
    return {};
}

data::Verdict verdictOf(int status, data::StatusBit measured, data::StatusBit pass, data::StatusBit error) {
    return {(status & measured) != 0, (status & pass) != 0, (status & error) != 0};
}

}  // namespace

data::Verdict flowVerdictOf(const history::StoredTest& test) {
    return verdictOf(test.status, data::FlowMeasured, data::FlowPass, data::FlowError);
}

data::Verdict occlusionVerdictOf(const history::StoredTest& test) {
    return verdictOf(test.status, data::OcclusionMeasured, data::OcclusionPass, data::OcclusionError);
}

QString tenthsText(const std::optional<int>& tenths) {
    if (!tenths) return QStringLiteral("------");
    return QStringLiteral("%1.%2").arg(*tenths / 10).arg(*tenths % 10);
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
        if (index.column() == Due && p.due.isValid() && p.due < m_today) return QBrush(data::kJudgementRed);
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
        case LastTest: return p.lastDate;
        case FlowVerdict: return data::verdictWord(p.lastFlow);
        case OcclusionVerdict: return data::verdictWord(p.lastOcclusion);
        case Due: return p.due.isValid() ? p.due.toString(Qt::ISODate) : QString();
        default: return {};
    }
}

QVariant PumpListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char16_t* headings[] = {u"シリンジポンプRFID", u"管理番号", u"試験回数", u"最終試験日", u"流量判定", u"閉塞判定", u"点検期限"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return QString::fromUtf16(headings[section]);
}

void TestListModel::setTests(std::vector<history::StoredTest> tests) {
    beginResetModel();
    m_tests = std::move(tests);
    endResetModel();
}

QVariant TestListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const history::StoredTest& t = m_tests.at(static_cast<std::size_t>(index.row()));
    const data::Verdict flow = flowVerdictOf(t), occlusion = occlusionVerdictOf(t);
    if (role == Qt::ForegroundRole) {
        if (index.column() == FlowVerdict || index.column() == FlowResult) return verdictColour(flow.result());
        if (index.column() == OcclusionVerdict || index.column() == OcclusionResult) return verdictColour(occlusion.result());
        return {};
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Date: return t.measureDate;
        case Time: return t.measureTime;
        case Tester: return t.testerSerial;
        case FlowSetting: return t.flowSetting;
        case FlowResult: return tenthsText(t.flowResultTenths);
        case FlowVerdict: return data::verdictWord(flow.result());
        case Level: return t.occlusionLevel;
        case OcclusionResult: return tenthsText(t.occlusionResultTenths);
        case OcclusionVerdict: return data::verdictWord(occlusion.result());
        default: return {};
    }
}

QVariant TestListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char16_t* headings[] = {u"測定日",       u"測定時刻",          u"トルベックスs/n", u"流量設定 (ml/h)",
                                         u"流量測定結果 (%)", u"流量判定",         u"閉塞設定",        u"閉塞測定結果 (kpa)",
                                         u"閉塞判定"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return QString::fromUtf16(headings[section]);
}

}  // namespace torbex::app
