#include "app/register_models.h"

#include <QBrush>
#include <QDateTime>

#include "app/grid_look.h"
#include "app/history_models.h"
#include "app/register_texts.h"
#include "data/grid_cells.h"
#include "data/ui_text.h"

namespace torbex::app {
namespace {

QVariant heading(const std::initializer_list<UiText>& headings, int section, Qt::Orientation orientation,
                 int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= std::ssize(headings))
        return {};
    return headings.begin()[section].text();
}

QString statusText(const QString& word) { return word == history::statusWord(true) ? texts::kRetired : texts::kInService; }

}  // namespace

void RegisterListModel::setPumps(std::vector<history::PumpSummary> pumps, const QDate& today) {
    beginResetModel();
    m_pumps = std::move(pumps);
    m_today = today;
    endResetModel();
}

QVariant RegisterListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const history::PumpSummary& p = pump(index.row());
    const data::Verdict overall = data::overallVerdict(p.lastFlow, p.lastOcclusion);
    if (role == Qt::ForegroundRole) {
        const bool overdue = index.column() == Due && (!p.due.isValid() || p.due < m_today) && !p.details.retired;
        const bool failed = index.column() == Overall && (overall == data::Verdict::Fail || overall == data::Verdict::Error);
        return overdue || failed ? QVariant(QBrush(kJudgementRed)) : QVariant();
    }
    if (role != Qt::DisplayRole) return {};
    const history::PumpDetails& d = p.details;
    switch (index.column()) {
        case ManagementNo: return p.managementNo;
        case Rfid: return p.rfid;
        case Maker: return d.maker;
        case Model: return d.model;
        case Serial: return d.serial;
        case Department: return d.department;
        case Location: return d.location;
        case Status: return statusText(history::statusWord(d.retired));
        case Interval: return p.intervalMonths;
        case LastTest: return dayText(p.lastDate);
        case Overall: return p.tests ? data::verdictWord(overall) : QString();
        case Due: return dayText(p.due);
        default: return {};
    }
}

QVariant RegisterListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return heading({{QT_TRANSLATE_NOOP("Texts", "管理番号")},
                    {QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")},
                    {QT_TRANSLATE_NOOP("Texts", "メーカー")},
                    {QT_TRANSLATE_NOOP("Texts", "機種")},
                    {QT_TRANSLATE_NOOP("Texts", "製造番号")},
                    {QT_TRANSLATE_NOOP("Texts", "部署")},
                    {QT_TRANSLATE_NOOP("Texts", "設置場所")},
                    {QT_TRANSLATE_NOOP("Texts", "状態")},
                    {QT_TRANSLATE_NOOP("Texts", "点検間隔（月）")},
                    {QT_TRANSLATE_NOOP("Texts", "最終試験日")},
                    {QT_TRANSLATE_NOOP("Texts", "総合判定")},
                    {QT_TRANSLATE_NOOP("Texts", "点検期限")}},
                   section, orientation, role);
}

void AuditListModel::setEntries(std::vector<history::AuditEntry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

QVariant AuditListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    const history::AuditEntry& e = m_entries.at(static_cast<std::size_t>(index.row()));
    const bool status = e.field == u"status";
    switch (index.column()) {
        case ChangedAt:
            return QDateTime::fromString(e.changedAt, Qt::ISODate).toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        case Rfid: return e.rfid;
        case Field: return texts::fieldLabel(e.field);
        case OldValue:
            return status && !e.oldValue.isEmpty() ? statusText(e.oldValue) : e.oldValue;
        case NewValue:
            return status ? statusText(e.newValue) : e.newValue;
        case ChangedBy:
            return e.changedBy;
        case Source:
            return e.source == history::ChangeSource::Editor ? Texts::tr("画面")
                   : e.source == history::ChangeSource::File ? Texts::tr("ファイル")
                                                             : Texts::tr("コマンド");
        default: return {};
    }
}

QVariant AuditListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return heading({{QT_TRANSLATE_NOOP("Texts", "変更日時")}, {QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")}, {QT_TRANSLATE_NOOP("Texts", "項目")}, {QT_TRANSLATE_NOOP("Texts", "変更前")}, {QT_TRANSLATE_NOOP("Texts", "変更後")}, {QT_TRANSLATE_NOOP("Texts", "変更者")}, {QT_TRANSLATE_NOOP("Texts", "変更元")}}, section, orientation,
                   role);
}

}  // namespace torbex::app
