#pragma once

#include "charts/plotmath.h"
#include "charts/series.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QAction;

#include <cstdint>
#include <optional>
#include <vector>

namespace calidor::charts {

/// A line chart: a title, a plot area with a left and a bottom axis, and line series drawn in the order
/// they were added, over a tiled background picture.
///
/// Drawing is cached so that a chart whose time series grow by a point at a time repaints in a fraction
/// of a millisecond whatever their length:
///  1. the background layer (tile, title, frame, grid, ticks, labels) is rebuilt only when the axis
///     ranges, the title, the fonts or the size change;
///  2. each long series has a transparent layer of its own, over the plot area; while its points are only
///     appended and the axes stay put, only the new segments are stroked onto it;
///  3. a point inserted out of x order (a second run drawn into the same curves) mends the layer only in
///     the band of pixel columns around it: the band is erased and the segments crossing it redrawn;
///  4. a layer is redrawn whole when the axes move or the series is emptied; a very long series is then
///     reduced to a few segments per pixel column;
///  5. short series (a profile, a marker) are drawn straight onto the widget at every paint.
/// A paint blits the background, then each series' layer or drawing in order.
///
/// The chart's own actions (QWidget::actions(), shown by a right click) copy it away: "Copier l'image"
/// (copyImage) and "Copier les données" (copyData); "Bilan et théorie…" (showBalance) asks its owner for
/// the balance window. Hovering shows the x under the mouse and each named curve's value there.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    /// Title centred at the top; an empty title takes no room.
    void setTitle(const QString& text) { setBackgroundPart(m_title, text); }
    QString title() const { return m_title; }
    void setTitleFont(const QFont& font) { setBackgroundPart(m_titleFont, font); }
    QFont titleFont() const { return m_titleFont; }
    /// An invalid colour means the palette's window text colour.
    void setTitleColor(const QColor& color) { setBackgroundPart(m_titleColor, color); }
    QColor titleColor() const { return m_titleColor; }

    /// Picture tiled over the whole chart background; a null picture leaves the palette's window colour.
    void setBackgroundTile(const QPixmap& tile) { setBackgroundPart(m_tile, tile); }

    void setLeftAxis(const AxisRange& range);
    void setBottomAxis(const AxisRange& range);
    AxisRange leftAxis() const { return m_leftAxis; }
    AxisRange bottomAxis() const { return m_bottomAxis; }
    /// The ranges the axes show for the present data and size, automatic ends resolved.
    AxisScale leftScale() const { return computeFrame().y; }
    AxisScale bottomScale() const { return computeFrame().x; }
    /// The inside of the plot frame, in widget pixels: series are drawn and clipped here.
    QRect plotArea() const { return computeFrame().plot; }
    /// Where the data point (x, y) lies in widget pixels, for the present data and size.
    QPointF mapToPixel(double x, double y) const;

    /// Adds a series drawn above those added before; it is a child of the chart.
    Series* addSeries(const QString& name, const SeriesStyle& style);
    /// The series of that name, or nullptr.
    Series* series(const QString& name) const;
    QList<Series*> seriesList() const;

    /// What the x axis measures, in French, and its unit: the first column of the copied table and the
    /// first line of the hover readout.
    void setXQuantity(const QString& name, const QString& unit);
    QString xName() const { return m_xName; }
    QString xUnit() const { return m_xUnit; }

    /// The named curves as a tab-separated table (see dataTable): what "Copier les données" copies.
    QString dataText() const;
    /// The chart as a picture at the screen's device pixel ratio: what "Copier l'image" copies.
    QPixmap picture();
    /// What hovering at pos (widget pixels) shows; empty outside the plot area.
    QString readoutAt(const QPointF& pos) const;

    /// "Copier l'image", "Copier les données", "Bilan et théorie…".
    QAction* copyImageAction() const { return m_copyImage; }
    QAction* copyDataAction() const { return m_copyData; }
    QAction* showBalanceAction() const { return m_showBalance; }

    /// Repaints the chart at once: it has been painted when this returns (if the chart is visible).
    void repaintNow();

    /// Drops every cached layer, so that the next paint draws everything afresh.
    void invalidateCache();

    /// Counts of the drawing work done, for tests and benchmarks.
    struct DrawStats {
        int paints = 0;           ///< paint events
        int backgroundBuilds = 0; ///< background layer rebuilt
        int layerRedraws = 0;     ///< a series layer drawn whole
        int layerExtensions = 0;  ///< new segments stroked onto a series layer
        int layerMends = 0;       ///< a band of a series layer redrawn around inserted points
        int directDraws = 0;      ///< a short series drawn straight onto the widget
    };
    const DrawStats& drawStats() const { return m_stats; }

    QSize sizeHint() const override;

signals:
    /// "Bilan et théorie…" was chosen.
    void balanceRequested();

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Where everything goes for the present size, fonts and data.
    struct Frame {
        QSize size;
        QRect plot;  // inside of the frame line: the clip of every series
        QRectF data; // where the axis ranges map to: the plot less a margin for markers
        AxisScale x, y;
        bool operator==(const Frame&) const = default;
    };
    struct SeriesCache {
        Series* series = nullptr;
        QImage layer;               // null: the series is drawn straight onto the widget
        std::uint64_t revision = 0; // series revision the layer shows
        std::uint64_t frameStamp = 0;
        int drawn = 0; // points already on the layer
    };

    Frame computeFrame() const;
    ValueBounds dataBounds(bool xAxis) const;
    void buildBackground(qreal dpr);
    void paintSeries(QPainter& painter, SeriesCache& cache, qreal dpr);
    // Mending a layer after insertions: the columns to redraw, the points whose drawing reaches them,
    // and where the points appended since the last paint begin.
    struct Mend {
        QRect band;
        int redrawFrom = 0;
        int redrawTo = 0;
        int tail = 0;
    };
    bool mendLayer(SeriesCache& cache);
    std::optional<Mend> planMend(const SeriesCache& cache) const;
    std::optional<QRect> insertionBand(const Series& series, double minX, double maxX, int tail) const;
    void redrawBand(SeriesCache& cache, const Mend& mend);
    double drawPad(const SeriesStyle& style) const;
    void drawPoints(QPainter& painter, const Series& series, int from, int to) const;
    void drawReduced(QPainter& painter, const Series& series, int from, int to) const;
    bool reduces(int count) const;
    void seriesChanged();
    void seriesDestroyed(QObject* object);
    void invalidateBackground();
    // Stores something the background layer is drawn from (the title, its font and colour, the tile).
    template <class T> void setBackgroundPart(T& part, const T& value) {
        part = value;
        invalidateBackground();
    }
    QList<const Series*> namedSeries() const;
    void buildActions();

    QString m_title;
    QString m_xName;
    QString m_xUnit;
    QAction* m_copyImage = nullptr;
    QAction* m_copyData = nullptr;
    QAction* m_showBalance = nullptr;
    QFont m_titleFont;
    QColor m_titleColor;
    QPixmap m_tile;
    AxisRange m_leftAxis;
    AxisRange m_bottomAxis;
    std::vector<SeriesCache> m_series;

    // Drawing caches.
    Frame m_frame;
    Mapping m_mapping;
    QPixmap m_background;
    QImage m_scratch; // where a band of a series layer is redrawn before it is copied in
    // Widths of the tick labels for the last scales seen (left: the widest; bottom: the last one), so
    // that laying out the frame does not measure text at every paint; -1 when unknown.
    struct LabelWidth {
        AxisScale scale;
        int width = -1;
    };
    mutable LabelWidth m_leftLabels;
    mutable LabelWidth m_bottomLabels;
    bool m_backgroundValid = false;
    std::uint64_t m_frameStamp = 1; // changes with every new frame; layers drawn for another are stale
    bool m_updatePending = false;
    DrawStats m_stats;
};

} // namespace calidor::charts
