// What a chart gives away: the copied table (every point once, headings,
// doubles that read back the same, two runs' points interleaved), the copied
// picture, and the hover readout near and between points.
#include "charts/chartview.h"
#include "charts/datatable.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using calidor::charts::ChartView;
using calidor::charts::Series;

// The table's rows, each split into cells.
QList<QStringList> cells(const QString& table) {
    QList<QStringList> rows;
    EXPECT_TRUE(table.endsWith(QLatin1Char('\n')));
    for (const QString& row : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows << row.split(QLatin1Char('\t'));
    return rows;
}

double parse(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    char* end = nullptr;
    const double v = std::strtod(bytes.constData(), &end);
    EXPECT_EQ(*end, '\0') << bytes.constData();
    return v;
}

// A chart in the main window's manner: time against three named curves and an unnamed marker.
std::unique_ptr<ChartView> temperatures() {
    auto chart = std::make_unique<ChartView>();
    chart->resize(393, 209);
    chart->setXQuantity(QStringLiteral("Temps"), QStringLiteral("s"));
    const char* names[] = {"Paroi", "Fluide chaud", "Fluide froid"};
    for (const char* name : names) {
        Series* s = chart->addSeries(QString::fromUtf8(name), {Qt::red});
        s->setDisplayName(QString::fromUtf8(name));
        s->setUnit(QStringLiteral("°C"));
    }
    chart->addSeries(QStringLiteral("marker"), {Qt::red, 1, true}); // decoration: never copied
    return chart;
}

// ---- The copied table ----

TEST(DataTable, EveryPointOnceInAscendingXWithBlanksAndHeadings) {
    auto chart = temperatures();
    const QList<Series*> s = chart->seriesList();
    s[0]->addXY(0.16, 5.5);
    s[0]->addXY(0.32, 6.25);
    s[1]->addXY(0.32, 70);
    s[1]->addXY(0.08, 69.5); // out of order: the curve keeps x ascending
    s[2]->addXY(0.48, 2);
    s[3]->addXY(0.48, 99); // the marker
    const QList<QStringList> rows = cells(chart->dataText());
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], (QStringList{"Temps (s)", "Paroi (°C)", "Fluide chaud (°C)", "Fluide froid (°C)"}));
    EXPECT_EQ(rows[1], (QStringList{"0.08", "", "69.5", ""}));
    EXPECT_EQ(rows[2], (QStringList{"0.16", "5.5", "", ""}));
    EXPECT_EQ(rows[3], (QStringList{"0.32", "6.25", "70", ""}));
    EXPECT_EQ(rows[4], (QStringList{"0.48", "", "", "2"}));
}

TEST(DataTable, AThinnedCurveSaysSoInItsHeading) {
    auto chart = temperatures();
    Series* wall = chart->seriesList()[0];
    wall->setPointLimit(64);
    for (int k = 0; k < 200; ++k)
        wall->addXY(k, k % 7);
    ASSERT_TRUE(wall->thinned());
    const QStringList heading = cells(chart->dataText()).first();
    EXPECT_TRUE(heading[1].startsWith(QStringLiteral("Paroi (°C) ["))) << heading[1].toStdString();
    EXPECT_EQ(heading[2], QStringLiteral("Fluide chaud (°C)"));
}

TEST(DataTable, DoublesReadBackToTheSameBitsAndTwoRunsInterleave) {
    auto chart = temperatures();
    const QList<Series*> s = chart->seriesList();
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-1e3, 1e3);
    // Two runs drawn into the same curves: the second's times are the first's.
    int points = 0;
    for (int run = 0; run < 2; ++run)
        for (int k = 1; k <= 50; ++k) {
            const double t = k * 0.16;
            s[0]->addXY(t, any(random));
            s[1]->addXY(t, run == 0 ? 1e-300 * k : -0.1 * k);
            if (k % 3 == run)
                s[2]->addXY(t + 1e-12, any(random)); // near, not equal
            points += 2 + (k % 3 == run);
        }
    s[0]->addXY(300.00399999997626, 1.0 / 3);
    points += 1;

    const QList<QStringList> rows = cells(chart->dataText());
    // Every cell reads back as a point of its curve, each point once.
    QList<QList<std::pair<double, double>>> seen(3);
    double lastX = -1;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 4);
        const double x = parse(rows[r][0]);
        EXPECT_LE(lastX, x); // ascending
        lastX = x;
        for (int c = 0; c < 3; ++c)
            if (!rows[r][c + 1].isEmpty())
                seen[c].append({x, parse(rows[r][c + 1])});
    }
    int found = 0;
    for (int c = 0; c < 3; ++c) {
        ASSERT_EQ(seen[c].size(), s[c]->count());
        for (int i = 0; i < s[c]->count(); ++i) { // in the curve's own order, bit for bit
            EXPECT_EQ(seen[c][i].first, s[c]->x(i));
            EXPECT_EQ(seen[c][i].second, s[c]->y(i));
        }
        found += s[c]->count();
    }
    EXPECT_EQ(found, points);
    // An x held twice by a curve takes two rows: 50 times × 2 runs, the near ones apart, the last one.
    EXPECT_EQ(rows.size(), 1 + 100 + 33 + 1);
    EXPECT_EQ(calidor::charts::roundTripText(300.00399999997626), QStringLiteral("300.00399999997626"));
    EXPECT_EQ(calidor::charts::roundTripText(0.004), QStringLiteral("0.004"));
}

// ---- Copying through the chart's own actions ----

TEST(ChartActions, CopyDataAndImageIntoTheClipboard) {
    auto chart = temperatures();
    chart->seriesList()[1]->addXY(1, 37.5);
    chart->show();
    QStringList names;
    for (QAction* action : chart->actions())
        names << action->objectName();
    EXPECT_EQ(names, (QStringList{"copyImage", "copyData", "showBalance"}));
    EXPECT_EQ(chart->contextMenuPolicy(), Qt::ActionsContextMenu);

    chart->copyDataAction()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), chart->dataText());

    chart->copyImageAction()->trigger();
    const QImage image = QGuiApplication::clipboard()->image();
    const qreal dpr = chart->devicePixelRatioF(); // 2 when the test runs with QT_SCALE_FACTOR=2
    EXPECT_EQ(image.size(), chart->size() * dpr);
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              chart->grab().toImage().convertToFormat(QImage::Format_RGB32));

    int asked = 0;
    QObject::connect(chart.get(), &ChartView::balanceRequested, [&] { ++asked; });
    chart->showBalanceAction()->trigger();
    EXPECT_EQ(asked, 1);
}

// ---- The hover readout ----

TEST(HoverReadout, NearestPointOfEachCurveNearAndBetweenPoints) {
    auto chart = temperatures();
    const QList<Series*> s = chart->seriesList();
    chart->setBottomAxis({false, false, 0, 10});
    chart->setLeftAxis({false, false, 0, 100});
    for (int k = 0; k <= 10; ++k)
        s[1]->addXY(k, 30 + k * 1.25);
    s[2]->addXY(2, 10);
    s[2]->addXY(8, 20);
    s[3]->addXY(5, 50); // the unnamed marker is never read out

    // On the point x = 4: the hot curve's 35.00, the cold curve's nearer point (x = 2).
    const QString onPoint = chart->readoutAt(chart->mapToPixel(4, 50));
    EXPECT_EQ(onPoint.split(QLatin1Char('\n')),
              (QStringList{"Temps : 4.000 s", "Fluide chaud : 35.00 °C", "Fluide froid : 10.00 °C"}));
    // Between points, a little past x = 6.5: the hot curve's x = 7, the cold curve's x = 8.
    const QStringList between = chart->readoutAt(chart->mapToPixel(6.6, 50)).split(QLatin1Char('\n'));
    ASSERT_EQ(between.size(), 3);
    EXPECT_TRUE(between[0].startsWith(QStringLiteral("Temps : 6.")));
    EXPECT_EQ(between[1], QStringLiteral("Fluide chaud : 38.75 °C"));
    EXPECT_EQ(between[2], QStringLiteral("Fluide froid : 20.00 °C"));
    // Outside the plot area: nothing.
    EXPECT_TRUE(chart->readoutAt(QPointF(1, 1)).isEmpty());
    EXPECT_EQ(calidor::charts::readoutNumber(0.0042), QStringLiteral("0.004200"));
    EXPECT_EQ(calidor::charts::readoutNumber(1234.4), QStringLiteral("1234"));
}

} // namespace
