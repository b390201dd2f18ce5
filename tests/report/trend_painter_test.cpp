// The trend drawn with a painter alone, seen in its pixels.
#include "report/trend_painter.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace torbex::report {
namespace {

std::tuple<int, int, int> rgb(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return {c.red(), c.green(), c.blue()};
}

bool greenish(const QImage& image, int x, int y, int lead) {
    const auto [r, g, b] = rgb(image, x, y);
    return g - r >= lead && r == b;
}

bool bluish(const QImage& image, int x, int y, int lead) {
    const auto [r, g, b] = rgb(image, x, y);
    return b - r >= lead && g - r >= 0 && b > g;
}

TEST(TrendPainter, ResultsBandsAndLegendStandWhereTheirAxesPutThem) {
    // The plot is the box less 34 left, 16 top, 36 right and 34 below: x 34 to 364, y 16 to 166.
    // Flow runs 80 % (y 166) to 120 % (y 16); occlusion 0 kPa (y 166) to 150 kPa (y 16).
    Trend trend;
    trend.firstMs = 0;
    trend.lastMs = 1000;
    trend.flow = {{250, 100.0, data::Verdict::Pass, {}}, {750, 100.0, data::Verdict::Pass, {}}};  // y 91, x 116.5 to 281.5
    trend.occlusion = {{500, 30.0, data::Verdict::Pass, {}}};                                 // x 199, y 136
    trend.occlusionBand = {20, 40};                                                       // y 126 to 146
    QImage image(400, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintTrend(painter, QRectF(image.rect()), trend, QFont());
    }
    EXPECT_EQ(rgb(image, 116, 91), std::tuple(0, 130, 0));   // a flow result, filled
    EXPECT_EQ(rgb(image, 199, 136), std::tuple(0, 70, 180));  // the occlusion result
    EXPECT_TRUE(greenish(image, 199, 91, 60));                // the line between the flow results
    EXPECT_TRUE(greenish(image, 60, 80, 15));                 // the flow band, 95 to 105 %: y 72 to 110
    EXPECT_TRUE(bluish(image, 60, 140, 15));                  // the occlusion band
    EXPECT_EQ(rgb(image, 60, 160), std::tuple(255, 255, 255));  // below both bands
    EXPECT_EQ(rgb(image, 60, 120), std::tuple(255, 255, 255));  // between them
    // The legend's swatches, a quarter of the row each: the bands' shades, then the series' colours.
    EXPECT_TRUE(greenish(image, 40, 193, 15));
    EXPECT_TRUE(bluish(image, 123, 193, 15));
    EXPECT_EQ(rgb(image, 205, 193), std::tuple(0, 130, 0));
    EXPECT_EQ(rgb(image, 288, 193), std::tuple(0, 70, 180));
}

// A result off the axis (150 %) is drawn towards, but never outside the plot.
TEST(TrendPainter, ResultOffTheAxisDrawnOutsideThePlot) {
    Trend trend;
    trend.firstMs = 0;
    trend.lastMs = 1000;
    trend.flow = {{250, 100.0, data::Verdict::Pass, {}}, {750, 150.0, data::Verdict::Fail, {}}};
    QImage image(400, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintTrend(painter, QRectF(image.rect()), trend, QFont());
    }
    const auto greenIn = [&image](int y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) count += greenish(image, x, y, 60);
        return count;
    };
    EXPECT_GT(greenIn(20), 0);  // the line climbs through the plot's top
    EXPECT_EQ(greenIn(5), 0);   // and stops at it
}

}  // namespace
}  // namespace torbex::report
