#include "report/pdf_report.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QtCharts/QChart>
#include <algorithm>

#include "data/grid_cells.h"
#include "report/report_records.h"
#include "report/trend_chart.h"

namespace torbex::report {
namespace {

// Points (1/72 inch) on an A4 page.
constexpr double kPageWidth = 595, kPageHeight = 842, kMargin = 40;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kRowHeight = 13, kHeadingRowHeight = 26;
constexpr double kChartHeight = 230, kSignatureHeight = 90, kFooterHeight = 24;

QFont reportFont(double points, bool bold = false) {
    QFont font;
    // Latin first: the CJK face's digits would not survive text extraction.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where each page's rows begin and end, and whether the signatures fit under the last rows.
struct PagePlan {
    int firstRow = 0, endRow = 0;
    double tableTop = 0;
};

class ReportPainter {
public:
    ReportPainter(QPdfWriter& writer, const ReportContext& context, const std::vector<data::MeasurementRecord>& records)
        : m_writer(writer), m_context(context), m_records(records), m_summary(summarise(records)) {}

    bool paint() {
        const std::vector<PagePlan> pages = plan();
        QPainter painter;
        if (!painter.begin(&m_writer)) return false;
        m_painter = &painter;
        for (std::size_t page = 0; page < pages.size(); ++page) {
            if (page > 0 && !m_writer.newPage()) return false;
            if (page == 0) {
                drawHeading();
            } else {
                drawRunningHeading();
            }
            drawTable(pages[page]);
            if (page + 1 == pages.size()) drawSignatures();
            drawFooter(static_cast<int>(page) + 1, static_cast<int>(pages.size()));
        }
        return painter.end();
    }

private:
    double headingHeight() const { return 150 + (m_context.pump ? kChartHeight + 30 : 0); }
    double rowsBottom() const { return kPageHeight - kMargin - kFooterHeight; }

    std::vector<PagePlan> plan() const {
        std::vector<PagePlan> pages;
        int row = 0;
        const int total = static_cast<int>(m_records.size());
        do {
            PagePlan page;
            page.firstRow = row;
            page.tableTop = pages.empty() ? kMargin + headingHeight() : kMargin + 30;
            const int fits = std::max(0, static_cast<int>((rowsBottom() - page.tableTop - kHeadingRowHeight) / kRowHeight));
            row = std::min(total, row + fits);
            page.endRow = row;
            pages.push_back(page);
        } while (row < total);
        // The signatures go under the last rows, or on a page of their own.
        const PagePlan& last = pages.back();
        if (last.tableTop + kHeadingRowHeight + (last.endRow - last.firstRow) * kRowHeight + kSignatureHeight > rowsBottom())
            pages.push_back({total, total, kMargin + 30});
        return pages;
    }

    void text(const QRectF& box, const QString& words, const QFont& font, int flags = Qt::AlignLeft | Qt::AlignVCenter,
              const QColor& colour = Qt::black) {
        m_painter->setFont(font);
        m_painter->setPen(colour);
        m_painter->drawText(box, flags, words);
    }

    void drawHeading() {
        double y = kMargin;
        const QString title = m_context.pump ? QStringLiteral("点検報告書（シリンジポンプ別）") : QStringLiteral("点検報告書");
        text({kMargin, y, kContentWidth, 30}, title, reportFont(18, true), Qt::AlignCenter);
        y += 40;
        const QString serial = m_context.testerSerial.trimmed().isEmpty() ? QStringLiteral("―") : m_context.testerSerial.trimmed();
        const QString range = m_summary.firstDate.isEmpty() ? QStringLiteral("―")
                                                            : m_summary.firstDate + QStringLiteral(" ～ ") + m_summary.lastDate;
        QStringList lines{QStringLiteral("トルベックス　s/n：") + serial, QStringLiteral("測定期間：") + range,
                          QStringLiteral("作成：") + m_context.madeAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")) +
                              QStringLiteral("　作成者：") + m_context.madeBy};
        if (m_context.pump) {
            lines.prepend(QStringLiteral("シリンジポンプRFID：%1　管理番号：%2　試験回数：%3")
                              .arg(m_context.pump->rfid, m_context.pump->managementNo.trimmed())
                              .arg(m_context.pump->tests.size()));
        }
        for (const QString& line : lines) {
            text({kMargin, y, kContentWidth, 14}, line, reportFont(9));
            y += 14;
        }
        y += 6;
        drawSummary(y);
        if (m_context.pump) drawChart(kMargin + 150);
    }

    void drawSummary(double y) {
        const QStringList columns{QStringLiteral("件数：%1").arg(m_summary.records), QStringLiteral("合格"), QStringLiteral("不合格"),
                                  QStringLiteral("エラー"),                          QStringLiteral("未測定")};
        const double width = kContentWidth / columns.size();
        m_painter->setPen(Qt::black);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < columns.size(); ++column) {
                const QRectF cell(kMargin + column * width, y + row * 16, width, 16);
                if (row == 0) m_painter->fillRect(cell, data::kHeadingGreen);
                m_painter->setPen(Qt::black);
                m_painter->drawRect(cell);
                const VerdictCounts& counts = row == 1 ? m_summary.flow : m_summary.occlusion;
                QString words;
                if (row == 0) {
                    words = columns[column];
                } else if (column == 0) {
                    words = row == 1 ? QStringLiteral("流量") : QStringLiteral("閉塞");
                } else {
                    const int values[] = {counts.passed, counts.failed, counts.errors, counts.notMeasured};
                    words = QString::number(values[column - 1]);
                }
                text(cell, words, reportFont(8.5), Qt::AlignCenter);
            }
        }
    }

    void drawChart(double top) {
        QGraphicsScene scene;
        QChart* chart = trendChart(m_context.pump->tests);
        scene.addItem(chart);  // the scene owns the chart
        const QRectF box(kMargin, top, kContentWidth, kChartHeight);
        chart->setGeometry(QRectF(0, 0, box.width() * 2, box.height() * 2));  // drawn at half size: finer text
        scene.setSceneRect(chart->geometry());
        scene.render(m_painter, box, scene.sceneRect());
    }

    void drawRunningHeading() {
        text({kMargin, kMargin, kContentWidth, 18}, QStringLiteral("点検報告書（続き）"), reportFont(10, true));
    }

    void drawTable(const PagePlan& page) {
        if (page.firstRow >= page.endRow && page.firstRow > 0) return;
        double widths[data::kGridColumns];
        double total = 0;
        for (int c = 0; c < data::kGridColumns; ++c) total += data::kGridColumnTable[static_cast<std::size_t>(c)].dataWidthTwips;
        for (int c = 0; c < data::kGridColumns; ++c)
            widths[c] = kContentWidth * data::kGridColumnTable[static_cast<std::size_t>(c)].dataWidthTwips / total;

        double x = kMargin, y = page.tableTop;
        for (int c = 0; c < data::kGridColumns; ++c) {
            const QRectF cell(x, y, widths[c], kHeadingRowHeight);
            m_painter->fillRect(cell, data::kHeadingGreen);
            m_painter->setPen(Qt::gray);
            m_painter->drawRect(cell);
            text(cell.adjusted(1, 0, -1, 0), QString::fromUtf16(data::kGridColumnTable[static_cast<std::size_t>(c)].heading),
                 reportFont(7), Qt::AlignCenter | Qt::TextWordWrap);
            x += widths[c];
        }
        y += kHeadingRowHeight;
        const QFont font = reportFont(7.5);
        for (int row = page.firstRow; row < page.endRow; ++row, y += kRowHeight) {
            const data::MeasurementRecord& record = m_records[static_cast<std::size_t>(row)];
            const auto cells = data::gridCellTexts(record, row);
            x = kMargin;
            for (int c = 0; c < data::kGridColumns; ++c) {
                const QRectF cell(x, y, widths[c], kRowHeight);
                if (c == 0) m_painter->fillRect(cell, data::kHeadingGreen);
                else if (row % 2 == 1) m_painter->fillRect(cell, data::kStripeGreen);
                m_painter->setPen(QColor(0xB0, 0xD0, 0xB0));
                m_painter->drawRect(cell);
                data::CellColour colour = data::CellColour::Normal;
                if (c == data::kFlowJudgementColumn) colour = data::flowJudgement(record).colour;
                if (c == data::kOcclusionJudgementColumn) colour = data::occlusionJudgement(record).colour;
                text(cell, cells[static_cast<std::size_t>(c)].trimmed(), font, Qt::AlignCenter,
                     colour == data::CellColour::Red ? data::kJudgementRed : Qt::black);
                x += widths[c];
            }
        }
    }

    void drawSignatures() {
        const double top = rowsBottom() - kSignatureHeight + 10;
        const double width = (kContentWidth - 20) / 2;
        for (int box = 0; box < 2; ++box) {
            const double left = kMargin + box * (width + 20);
            text({left, top, width, 16}, box == 0 ? QStringLiteral("点検者") : QStringLiteral("承認者"), reportFont(9, true));
            m_painter->setPen(Qt::black);
            for (const auto& [label, offset] : {std::pair{QStringLiteral("署名"), 40.0}, {QStringLiteral("日付"), 70.0}}) {
                text({left, top + offset - 14, 40, 14}, label, reportFont(8.5));
                m_painter->drawLine(QPointF(left + 40, top + offset), QPointF(left + width, top + offset));
            }
        }
    }

    void drawFooter(int page, int pages) {
        text({kMargin, kPageHeight - kMargin - 14, kContentWidth, 14}, QStringLiteral("%1 / %2").arg(page).arg(pages), reportFont(8),
             Qt::AlignCenter);
    }

    QPdfWriter& m_writer;
    const ReportContext& m_context;
    const std::vector<data::MeasurementRecord>& m_records;
    ReportSummary m_summary;
    QPainter* m_painter = nullptr;
};

}  // namespace

bool PdfReportWriter::write(QIODevice& device, std::span<const data::MeasurementRecord> records) {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);  // a unit is a point
    writer.setTitle(QStringLiteral("点検報告書"));
    writer.setCreator(QStringLiteral("torbex"));
    const std::vector<data::MeasurementRecord> rows(records.begin(), records.end());
    if (!ReportPainter(writer, m_context, rows).paint()) {
        setErrorString(QStringLiteral("the report could not be drawn"));
        return false;
    }
    return true;
}

QString currentUserName() {
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) return name;
    }
    return QStringLiteral("?");
}

}  // namespace torbex::report
