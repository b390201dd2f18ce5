#include "report/worklist_pdf.h"

#include <QPainter>
#include <QPdfWriter>

#include "report/report_layout.h"
#include "report/report_words.h"
#include "data/ui_text.h"

namespace torbex::report {
namespace {

// The worklist's columns: their headings and widths in points.
const std::pair<UiText, double> kColumns[] = {
    {{QT_TRANSLATE_NOOP("Texts", "点検期限")}, 56},
    {{QT_TRANSLATE_NOOP("Texts", "管理番号")}, 52},
    {{QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")}, 86},
    {{QT_TRANSLATE_NOOP("Texts", "部署")}, 60},
    {{QT_TRANSLATE_NOOP("Texts", "設置場所")}, 64},
    {{QT_TRANSLATE_NOOP("Texts", "メーカー")}, 56},
    {{QT_TRANSLATE_NOOP("Texts", "機種")}, 52},
    {{QT_TRANSLATE_NOOP("Texts", "最終試験日")}, 56},
    {{QT_TRANSLATE_NOOP("Texts", "総合判定")}, 33}};
constexpr double kTitleHeight = 40, kInfoHeight = 3 * kLineHeight + 8;

QString day(const QDate& date) { return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QStringLiteral("―"); }

class WorklistPainter {
public:
    WorklistPainter(QPdfWriter& writer, const WorklistContext& context, int rows) : m_writer(writer), m_context(context) {
        const int firstRows = static_cast<int>((kPageHeight - kMargin - kFooterHeight - (kMargin + kTitleHeight + kInfoHeight) -
                                                kHeadingRowHeight) / kRowHeight);
        const int laterRows = static_cast<int>((kPageHeight - 2 * kMargin - kFooterHeight - kHeadingRowHeight) / kRowHeight);
        m_rowsPerPage = {firstRows, laterRows};
        m_pages = 1 + (rows > firstRows ? (rows - firstRows + laterRows - 1) / laterRows : 0);
    }

    bool draw(const std::vector<WorklistRow>& rows) {
        if (!m_painter.begin(&m_writer)) return false;
        double y = heading();
        int onPage = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (onPage == (m_page == 1 ? m_rowsPerPage.first : m_rowsPerPage.second)) {
                footer();
                if (!m_writer.newPage()) return false;
                ++m_page;
                onPage = 0;
                y = tableHeading(kMargin);
            }
            row(y, rows[i], static_cast<int>(i));
            y += kRowHeight;
            ++onPage;
        }
        footer();
        return m_painter.end();
    }

private:
    double heading() {
        m_painter.setFont(reportFont(18, true));
        m_painter.drawText(QRectF(kMargin, kMargin, kContentWidth, 30), Qt::AlignCenter, Texts::tr("点検予定表"));
        const QString scope = m_context.department.isEmpty() ? Texts::tr("全部署") : m_context.department;
        const QStringList lines{Texts::tr("期限切れと、%1日以内に期限を迎える使用中のシリンジポンプ（%2）")
                                    .arg(m_context.withinDays)
                                    .arg(scope),
                                Texts::tr("作成：%1　作成者：%2")
                                    .arg(m_context.madeAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")), m_context.madeBy)};
        m_painter.setFont(reportFont(9));
        double y = kMargin + kTitleHeight;
        for (const QString& line : lines) {
            m_painter.drawText(QRectF(kMargin, y, kContentWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
            y += kLineHeight;
        }
        return tableHeading(kMargin + kTitleHeight + kInfoHeight);
    }

    double tableHeading(double y) {
        m_painter.setFont(reportFont(7));
        double x = kMargin;
        for (const auto& [heading, width] : kColumns) {
            const QRectF cell(x, y, width, kHeadingRowHeight);
            m_painter.fillRect(cell, kHeadingGreen);
            m_painter.setPen(Qt::gray);
            m_painter.drawRect(cell);
            m_painter.setPen(Qt::black);
            m_painter.drawText(cell.adjusted(1, 0, -1, 0), Qt::AlignCenter | Qt::TextWordWrap, heading.text());
            x += width;
        }
        return y + kHeadingRowHeight;
    }

    void row(double y, const WorklistRow& r, int index) {
        if (index % 2 == 1) m_painter.fillRect(QRectF(kMargin, y, kContentWidth, kRowHeight), kStripeGreen);
        const bool overdue = !r.due.isValid() || r.due < m_context.madeAt.date();
        const QString cells[] = {day(r.due),   r.managementNo, r.rfid,         r.department,
                                 r.location,   r.maker,        r.model,        day(r.lastTest),
                                 r.lastOverall ? verdictInWords(*r.lastOverall) : QStringLiteral("―")};
        m_painter.setFont(reportFont(7.5));
        double x = kMargin;
        for (std::size_t c = 0; c < std::size(cells); ++c) {
            const bool red = (c == 0 && overdue) || (c == 8 && r.lastOverall && *r.lastOverall != data::Verdict::Pass &&
                                                     *r.lastOverall != data::Verdict::NotMeasured);
            m_painter.setPen(red ? kJudgementRed : Qt::black);
            m_painter.drawText(QRectF(x + 1, y, kColumns[c].second - 2, kRowHeight), Qt::AlignCenter, cells[c]);
            x += kColumns[c].second;
        }
        m_painter.setPen(kRuleGreen);
        m_painter.drawLine(QPointF(kMargin, y + kRowHeight), QPointF(kMargin + kContentWidth, y + kRowHeight));
    }

    void footer() {
        m_painter.setFont(reportFont(8));
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(kMargin, kPageHeight - kMargin - kFooterHeight / 2, kContentWidth, kFooterHeight / 2),
                           Qt::AlignCenter, QStringLiteral("%1/%2").arg(m_page).arg(m_pages));
    }

    QPdfWriter& m_writer;
    const WorklistContext& m_context;
    QPainter m_painter;
    std::pair<int, int> m_rowsPerPage;
    int m_pages = 1, m_page = 1;
};

}  // namespace

QString writeWorklistPdf(QIODevice& device, const std::vector<WorklistRow>& rows, const WorklistContext& context) {
    QPdfWriter writer(&device);
    prepareA4(writer, Texts::tr("点検予定表"));
    WorklistPainter painter(writer, context, static_cast<int>(rows.size()));
    return painter.draw(rows) ? QString() : QStringLiteral("the worklist could not be drawn");
}

}  // namespace torbex::report
