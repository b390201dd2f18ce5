#include "report/pdf_report.h"

#include "report/report_words.h"

#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>

#include "data/grid_cells.h"
#include "report/cell_texts.h"
#include "report/report_layout.h"
#include "report/report_summary.h"
#include "report/trend_painter.h"
#include "data/ui_text.h"

namespace torbex::report {
namespace {

QString dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

// The lines that tell one pump: what the register knows, its tests and its last test's verdict.
QStringList pumpLines(const PumpSection& pump, int tests, data::Verdict lastOverall) {
    const auto known = [](const QString& text) { return text.isEmpty() ? QStringLiteral("―") : text; };
    return {Texts::tr("シリンジポンプRFID：%1　管理番号：%2　試験回数：%3").arg(known(pump.rfid), known(pump.managementNo)).arg(tests),
            Texts::tr("メーカー：%1　機種：%2　製造番号：%3").arg(known(pump.maker), known(pump.model), known(pump.serial)),
            Texts::tr("部署：%1　設置場所：%2　次回点検期限：%3　最終試験の総合判定：%4")
                .arg(known(pump.department), known(pump.location),
                     pump.nextDue.isValid() ? dateText(pump.nextDue) : QStringLiteral("―"),
                     tests == 0 ? QStringLiteral("―") : verdictInWords(lastOverall))};
}

class ReportPainter {
public:
    ReportPainter(QPdfWriter& writer, const ReportContext& context, const ReportSummary& summary)
        : m_writer(writer), m_context(context), m_summary(summary), m_cellFont(reportFont(7.5)),
          m_headingFont(reportFont(7)), m_plan(planPages(space(), summary.tests, summary.runs)),
          m_cellTexts(m_cellFont, &writer) {
        double total = 0;
        for (double share : kColumnShares) total += share;
        for (std::size_t c = 0; c < kColumnShares.size(); ++c) m_widths[c] = kContentWidth * kColumnShares[c] / total;
    }

    bool begin() {
        if (!m_painter.begin(&m_writer)) return false;
        drawHeading();
        m_y = tableTop();
        drawTableHeading();
        return true;
    }

    // False when the page could not be turned, or every test the summary counted is drawn (tests
    // kept since then wait for the next report, so that the table and the summary agree).
    bool row(const data::MeasurementRecord& record) {
        if (m_row == m_summary.tests) return false;
        if (m_break < m_plan.breaks.size() && m_row == m_plan.breaks[m_break]) {
            ++m_break;
            if (!nextPage()) return false;
        }
        if (m_run < m_summary.runs.size() && m_row == m_runEnd && m_context.pumpOf) {
            const PumpRun& run = m_summary.runs[m_run++];
            m_runEnd += run.tests;
            drawBand(m_context.pumpOf(run.rfid), run);
        }
        drawRow(record);
        ++m_row;
        return true;
    }

    bool complete() const { return m_row == m_summary.tests; }

    bool finish() {
        if (m_plan.signaturesOnOwnPage && !nextPage()) return false;
        drawColumnRules();
        drawSignatures();
        drawFooter();
        return m_painter.end();
    }

private:
    double headingHeight() const {
        return kFirstPageHeading + (m_context.pump ? kPumpDetailLines * kLineHeight + kChartHeight + 30 : 0);
    }
    double rowsBottom() const { return kPageHeight - kMargin - kFooterHeight; }
    double tableTop() const { return kMargin + (m_page == 1 ? headingHeight() : kRunningHeading); }

    PageSpace space() const {
        return {kMargin + headingHeight() + kHeadingRowHeight, kMargin + kRunningHeading + kHeadingRowHeight, rowsBottom(),
                kRowHeight, m_context.pumpOf ? kBandHeight : 0.0, kSignatureHeight};
    }

    bool nextPage() {
        drawColumnRules();
        drawFooter();
        if (!m_writer.newPage()) return false;
        ++m_page;
        text({kMargin, kMargin, kContentWidth, 18}, Texts::tr("点検報告書（続き）"), m_runningFont);
        m_y = m_rowsTop = tableTop();
        if (m_row < m_summary.tests) drawTableHeading();
        return true;
    }

    void text(const QRectF& box, const QString& words, const QFont& font, int flags = Qt::AlignLeft | Qt::AlignVCenter,
              const QColor& colour = Qt::black) {
        m_painter.setFont(font);
        m_painter.setPen(colour);
        m_painter.drawText(box, flags, words);
    }

    void drawHeading() {
        double y = kMargin;
        const QString title = m_context.pump ? Texts::tr("点検報告書（シリンジポンプ別）") : Texts::tr("点検報告書");
        text({kMargin, y, kContentWidth, 30}, title, reportFont(18, true), Qt::AlignCenter);
        y += 40;
        const QString serial = m_summary.testerSerial.isEmpty() ? QStringLiteral("―") : m_summary.testerSerial;
        const QString range = !m_summary.firstDate.isValid()
                                  ? QStringLiteral("―")
                                  : dateText(m_summary.firstDate) + Texts::tr(" ～ ") + dateText(m_summary.lastDate);
        QStringList lines{Texts::tr("トルベックス　s/n：") + serial, Texts::tr("測定期間：") + range,
                          Texts::tr("作成：") + m_context.madeAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")) +
                              Texts::tr("　作成者：") + m_context.madeBy};
        if (const auto& pump = m_context.pump) {
            const data::Verdict last = pump->tests.empty() ? data::Verdict::NotMeasured
                                                           : data::overallVerdict(pump->tests.back().flowVerdict(),
                                                                                  pump->tests.back().occlusionVerdict());
            lines = pumpLines(*pump, static_cast<int>(pump->tests.size()), last) + lines;
        }
        const QFont font = reportFont(9);
        for (const QString& line : lines) {
            text({kMargin, y, kContentWidth, kLineHeight}, line, font);
            y += kLineHeight;
        }
        drawSummary(y + 6);
        if (m_context.pump)
            paintTrend(m_painter,
                       QRectF(kMargin, kMargin + kFirstPageHeading + kPumpDetailLines * kLineHeight, kContentWidth, kChartHeight),
                       trendOf(m_context.pump->tests, m_context.madeAt), reportFont(7));
    }

    void drawSummary(double y) {
        const QStringList columns{Texts::tr("件数：%1").arg(m_summary.tests), Texts::tr("合格"), Texts::tr("不合格"),
                                  Texts::tr("エラー"), Texts::tr("未測定")};
        const double width = kContentWidth / columns.size();
        const QFont font = reportFont(8.5);
        for (int row = 0; row < 3; ++row) {
            const VerdictCounts& counts = row == 1 ? m_summary.flow : m_summary.occlusion;
            const int values[] = {counts.passed, counts.failed, counts.errors, counts.notMeasured};
            for (int column = 0; column < columns.size(); ++column) {
                const QRectF cell(kMargin + column * width, y + row * 16, width, 16);
                if (row == 0) m_painter.fillRect(cell, kHeadingGreen);
                m_painter.setPen(Qt::black);
                m_painter.drawRect(cell);
                QString words;
                if (row == 0) {
                    words = columns[column];
                } else if (column == 0) {
                    words = row == 1 ? Texts::tr("流量") : Texts::tr("閉塞");
                } else {
                    words = QString::number(values[column - 1]);
                }
                text(cell, words, font, Qt::AlignCenter);
            }
        }
    }

    void drawTableHeading() {
        double x = kMargin;
        for (std::size_t c = 0; c < kTableColumns; ++c) {
            const QRectF cell(x, m_y, m_widths.at(c), kHeadingRowHeight);
            m_painter.fillRect(cell, kHeadingGreen);
            m_painter.setPen(Qt::gray);
            m_painter.drawRect(cell);
            text(cell.adjusted(1, 0, -1, 0), kTableHeadings.at(c).text(), m_headingFont, Qt::AlignCenter | Qt::TextWordWrap);
            x += m_widths.at(c);
        }
        m_y += kHeadingRowHeight;
        m_rowsTop = m_y;
    }

    void drawRow(const data::MeasurementRecord& record) {
        const auto cells = data::gridCellTexts(record, m_row);
        m_painter.fillRect(QRectF(kMargin, m_y, m_widths[0], kRowHeight), kHeadingGreen);
        if (m_row % 2 == 1) m_painter.fillRect(QRectF(kMargin + m_widths[0], m_y, kContentWidth - m_widths[0], kRowHeight), kStripeGreen);
        m_painter.setPen(kRuleGreen);
        m_painter.drawLine(QPointF(kMargin, m_y + kRowHeight), QPointF(kMargin + kContentWidth, m_y + kRowHeight));
        double x = kMargin;
        for (int c = 0; c < data::kGridColumns; ++c) {
            m_painter.setPen(data::cellColour(record, c) == data::CellColour::Red ? kJudgementRed : Qt::black);
            m_cellTexts.draw(m_painter, QRectF(x, m_y, m_widths[c], kRowHeight), cells[static_cast<std::size_t>(c)].trimmed());
            x += m_widths[c];
        }
        const data::Verdict flow = record.flowVerdict(), occlusion = record.occlusionVerdict();
        const data::Verdict verdicts[kVerdictColumns] = {flow, occlusion, data::overallVerdict(flow, occlusion)};
        for (int v = 0; v < kVerdictColumns; ++v) {
            const double width = m_widths[data::kGridColumns + v];
            const bool failed = verdicts[v] == data::Verdict::Fail || verdicts[v] == data::Verdict::Error;
            m_painter.setPen(failed ? kJudgementRed : Qt::black);
            m_cellTexts.draw(m_painter, QRectF(x, m_y, width, kRowHeight), verdictInWords(verdicts[v]));
            x += width;
        }
        m_y += kRowHeight;
    }

    // A pump's details across the table, above its tests; the column rules stop above it.
    void drawBand(const PumpSection& pump, const PumpRun& run) {
        drawColumnRules();
        const QRectF band(kMargin, m_y, kContentWidth, kBandHeight);
        m_painter.fillRect(band, kBandGrey);
        m_painter.setPen(Qt::black);
        m_painter.drawLine(band.topLeft(), band.topRight());
        PumpSection named = pump;
        named.rfid = run.rfid;
        double y = m_y + 3;
        for (const QString& line : pumpLines(named, run.tests, run.lastOverall)) {
            text({kMargin + 4, y, kContentWidth - 8, kBandLineHeight}, line, m_bandFont);
            y += kBandLineHeight;
        }
        m_y = m_rowsTop = band.bottom();
    }

    // The rules between the columns of the rows on this page, drawn once the rows are in.
    void drawColumnRules() {
        if (m_y <= m_rowsTop) return;
        m_painter.setPen(kRuleGreen);
        double x = kMargin;
        for (const double width : m_widths) {
            m_painter.drawLine(QPointF(x, m_rowsTop), QPointF(x, m_y));
            x += width;
        }
        m_painter.drawLine(QPointF(x, m_rowsTop), QPointF(x, m_y));
    }

    void drawSignatures() {
        const double top = rowsBottom() - kSignatureHeight + 10;
        const double width = (kContentWidth - 20) / 2;
        const QFont bold = reportFont(9, true), label = reportFont(8.5);
        for (int box = 0; box < 2; ++box) {
            const double left = kMargin + box * (width + 20);
            text({left, top, width, 16}, box == 0 ? Texts::tr("点検者") : Texts::tr("承認者"), bold);
            for (const auto& [words, offset] : {std::pair{Texts::tr("署名"), 40.0}, {Texts::tr("日付"), 70.0}}) {
                text({left, top + offset - 14, 40, 14}, words, label);
                m_painter.setPen(Qt::black);
                m_painter.drawLine(QPointF(left + 40, top + offset), QPointF(left + width, top + offset));
            }
        }
    }

    void drawFooter() {
        text({kMargin, kPageHeight - kMargin - 14, kContentWidth, 14}, QStringLiteral("%1 / %2").arg(m_page).arg(m_plan.pages),
             m_footerFont, Qt::AlignCenter);
    }

    QPdfWriter& m_writer;
    const ReportContext& m_context;
    const ReportSummary& m_summary;
    const QFont m_cellFont, m_headingFont;
    const QFont m_runningFont = reportFont(10, true), m_footerFont = reportFont(8), m_bandFont = reportFont(8);
    const PagePlan m_plan;
    std::array<double, kTableColumns> m_widths{};
    QPainter m_painter;
    CellTexts m_cellTexts;
    int m_page = 1, m_row = 0;
    std::size_t m_break = 0;  // the next of the plan's page breaks
    std::size_t m_run = 0;    // the next pump's run
    int m_runEnd = 0;         // the first row after the current run
    double m_y = 0, m_rowsTop = 0;
};

}  // namespace

data::TestsWritten writePdfReport(QIODevice& device, data::TestSource& tests, const ReportContext& context) {
    const SummaryResult summary = summarise(tests, static_cast<bool>(context.pumpOf));
    if (!summary.error.isEmpty()) return data::TestsWritten::unread(summary.error);
    QPdfWriter writer(&device);
    prepareA4(writer, Texts::tr("点検報告書"));
    ReportPainter painter(writer, context, summary.summary);
    const QString notDrawn = QStringLiteral("the report could not be drawn");
    if (!painter.begin()) return data::TestsWritten::unwritten(notDrawn);
    bool drawn = true;
    const QString readError = tests.forEach([&](const data::MeasurementRecord& record, const QString&) {
        drawn = painter.row(record) || painter.complete();
        return drawn && !painter.complete();
    });
    if (!readError.isEmpty()) return data::TestsWritten::unread(readError);
    if (!drawn || !painter.finish()) return data::TestsWritten::unwritten(notDrawn);
    return data::TestsWritten::written(summary.summary.tests);
}

}  // namespace torbex::report
