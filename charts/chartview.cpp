#include "charts/chartview.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace calidor::charts {

namespace {

// Layout, in pixels.
constexpr int kOuterPad = 6;   // between the widget's edge and anything drawn
constexpr int kTitleGap = 4;   // between the title and the plot frame
constexpr int kTickLength = 4; // axis tick marks, outside the frame
constexpr int kLabelGap = 2;   // between a tick mark and its label
constexpr int kDataInset = 4;  // between the frame and the axis ends: room for half a marker
constexpr double kMinXTickSpacing = 56;
constexpr double kMinYTickSpacing = 28;

// Fixed colours of the chart furniture.
const QColor kFrameColor(64, 64, 64);
const QColor kGridColor(200, 196, 186);

// Drawing strategy thresholds.
constexpr int kLayerMinPoints = 160;    // shorter series are drawn straight onto the widget
constexpr int kMostIncremental = 400;   // more new points than this since the last paint: redraw whole
constexpr int kReducePerColumn = 2;     // more points than this per pixel column: reduce to columns
constexpr int kMostMendSegments = 4000; // a band crossed by more segments, stroked one by one: redraw whole

// Square caps: an antialiased line with square or flat caps is rasterised directly, while round caps go
// through curves and cost several times more; and unlike flat caps, square caps close the joints between
// segments stroked one by one.
QPen seriesPen(const SeriesStyle& style) {
    return QPen(style.color, std::max(0, style.lineWidth), style.penStyle,
                style.penStyle == Qt::SolidLine ? Qt::SquareCap : Qt::FlatCap, Qt::RoundJoin);
}

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent), m_titleFont(font()) {
    // Every pixel is painted by the chart itself: nothing underneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildActions();
}

ChartView::~ChartView() {
    // The series are children and die after this; their destroyed signal must not reach a half-gone view.
    for (const SeriesCache& cache : m_series)
        disconnect(cache.series, nullptr, this, nullptr);
}

void ChartView::setLeftAxis(const AxisRange& range) {
    m_leftAxis = range;
    update();
}

void ChartView::setBottomAxis(const AxisRange& range) {
    m_bottomAxis = range;
    update();
}

QPointF ChartView::mapToPixel(double x, double y) const {
    const Frame frame = computeFrame();
    return Mapping(frame.data, frame.x, frame.y).map(x, y);
}

Series* ChartView::addSeries(const QString& name, const SeriesStyle& style) {
    auto* series = new Series(name, style, this);
    m_series.push_back(SeriesCache{series, {}, 0, 0, 0});
    connect(series, &Series::changed, this, &ChartView::seriesChanged);
    connect(series, &QObject::destroyed, this, &ChartView::seriesDestroyed);
    seriesChanged();
    return series;
}

Series* ChartView::series(const QString& name) const {
    for (const SeriesCache& cache : m_series)
        if (cache.series->objectName() == name)
            return cache.series;
    return nullptr;
}

QList<Series*> ChartView::seriesList() const {
    QList<Series*> list;
    list.reserve(static_cast<qsizetype>(m_series.size()));
    for (const SeriesCache& cache : m_series)
        list.append(cache.series);
    return list;
}

void ChartView::repaintNow() {
    repaint();
}

void ChartView::invalidateCache() {
    for (SeriesCache& cache : m_series)
        cache.layer = QImage();
    invalidateBackground();
}

QSize ChartView::sizeHint() const {
    return {320, 240};
}

void ChartView::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::LocaleChange:
        m_leftLabels.width = m_bottomLabels.width = -1;
        invalidateBackground();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void ChartView::seriesChanged() {
    // One update request per paint is enough, however many points arrive in
    // between. It is asked for from the event loop, not at once: an owner that
    // changes several charts and then repaints each at once (the display
    // refresh) would otherwise have the first repaint paint the other charts
    // too, each of them twice.
    if (!m_updatePending) {
        m_updatePending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_updatePending)
                    update();
            },
            Qt::QueuedConnection);
    }
}

void ChartView::seriesDestroyed(QObject* object) {
    std::erase_if(m_series, [object](const SeriesCache& cache) { return cache.series == object; });
    update();
}

void ChartView::invalidateBackground() {
    m_backgroundValid = false;
    update();
}

ValueBounds ChartView::dataBounds(bool xAxis) const {
    ValueBounds bounds;
    for (const SeriesCache& cache : m_series)
        bounds.include(xAxis ? cache.series->points().xBounds() : cache.series->points().yBounds());
    return bounds;
}

ChartView::Frame ChartView::computeFrame() const {
    const QFontMetrics labelMetrics(font());
    const QFontMetrics titleMetrics(m_titleFont);
    const QLocale numbers = locale();

    Frame frame;
    frame.size = size();
    const int w = width(), h = height();

    // 1. Vertical: title, then the frame, then the tick marks and bottom labels.
    int frameTop = kOuterPad + (m_title.isEmpty() ? 0 : titleMetrics.height() + kTitleGap);
    // The top tick label is centred on the axis end: keep its upper half inside the widget.
    frameTop += std::max(0, labelMetrics.height() / 2 - kDataInset - 1);
    const int frameBottom = h - 1 - kOuterPad - labelMetrics.height() - kLabelGap - kTickLength;
    const int plotHeight = std::max(2 * kDataInset + 1, frameBottom - frameTop - 1);
    frame.y = resolveAxis(m_leftAxis, dataBounds(false), plotHeight - 2 * kDataInset, kMinYTickSpacing);

    // 2. Horizontal: the widest left label sets the frame's left edge; the last bottom label, centred on
    //    its tick, may need more room on the right than the padding.
    if (!(m_leftLabels.scale == frame.y) || m_leftLabels.width < 0) {
        m_leftLabels.scale = frame.y;
        m_leftLabels.width = 0;
        for (double v : tickValues(frame.y))
            m_leftLabels.width =
                std::max(m_leftLabels.width, labelMetrics.horizontalAdvance(tickLabel(v, frame.y, numbers)));
    }
    const int labelWidth = m_leftLabels.width;
    const int frameLeft = kOuterPad + labelWidth + kLabelGap + kTickLength;
    const ValueBounds xData = dataBounds(true);
    int frameRight = w - 1 - kOuterPad;
    auto plotWidth = [&] { return std::max(2 * kDataInset + 1, frameRight - frameLeft - 1); };
    frame.x = resolveAxis(m_bottomAxis, xData, plotWidth() - 2 * kDataInset, kMinXTickSpacing);
    if (!(m_bottomLabels.scale == frame.x) || m_bottomLabels.width < 0) {
        const std::vector<double> xTicks = tickValues(frame.x);
        m_bottomLabels.scale = frame.x;
        m_bottomLabels.width =
            xTicks.empty() ? 0 : labelMetrics.horizontalAdvance(tickLabel(xTicks.back(), frame.x, numbers));
    }
    if (m_bottomLabels.width > 0) {
        const int half = m_bottomLabels.width / 2;
        const int overhang = half - (kDataInset + 1 + kOuterPad);
        if (overhang > 0) {
            frameRight -= overhang;
            frame.x = resolveAxis(m_bottomAxis, xData, plotWidth() - 2 * kDataInset, kMinXTickSpacing);
        }
    }

    frame.plot = QRect(frameLeft + 1, frameTop + 1, plotWidth(), plotHeight);
    frame.data = QRectF(frame.plot).adjusted(kDataInset, kDataInset, -kDataInset, -kDataInset);
    return frame;
}

void ChartView::buildBackground(qreal dpr) {
    const QRect plot = m_frame.plot;
    const QRect frameLine = plot.adjusted(-1, -1, 0, 0); // drawRect covers one pixel more each way
    const QFontMetrics labelMetrics(font());
    const QLocale numbers = locale();

    m_background = QPixmap(size() * dpr);
    m_background.setDevicePixelRatio(dpr);
    QPainter p(&m_background);

    // 1. The tiled texture over everything (the plot's back wall is transparent), or the plain window.
    if (m_tile.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawTiledPixmap(rect(), m_tile);

    // 2. The title, centred at the top.
    if (!m_title.isEmpty()) {
        p.setFont(m_titleFont);
        p.setPen(m_titleColor.isValid() ? m_titleColor : palette().windowText().color());
        p.drawText(QRect(0, kOuterPad, width(), QFontMetrics(m_titleFont).height()),
                   Qt::AlignHCenter | Qt::AlignTop, m_title);
    }

    // 3. Grid lines at the ticks, then the frame over them.
    const std::vector<double> xTicks = tickValues(m_frame.x);
    const std::vector<double> yTicks = tickValues(m_frame.y);
    auto column = [&](double v) { return static_cast<int>(std::floor(m_mapping.map(v, 0).x())); };
    auto row = [&](double v) { return static_cast<int>(std::floor(m_mapping.map(0, v).y())); };
    p.setPen(kGridColor);
    for (double v : xTicks)
        p.drawLine(column(v), plot.top(), column(v), plot.bottom());
    for (double v : yTicks)
        p.drawLine(plot.left(), row(v), plot.right(), row(v));
    p.setPen(kFrameColor);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frameLine);

    // 4. Tick marks outside the frame and their labels.
    p.setFont(font());
    const QColor text = palette().windowText().color();
    const int labelHeight = labelMetrics.height();
    for (double v : xTicks) {
        const int x = column(v);
        p.setPen(kFrameColor);
        p.drawLine(x, frameLine.bottom() + 1, x, frameLine.bottom() + kTickLength);
        p.setPen(text);
        const QRect box(x - 200, frameLine.bottom() + 1 + kTickLength + kLabelGap, 400, labelHeight);
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, tickLabel(v, m_frame.x, numbers));
    }
    for (double v : yTicks) {
        const int y = row(v);
        p.setPen(kFrameColor);
        p.drawLine(frameLine.left() - kTickLength, y, frameLine.left() - 1, y);
        p.setPen(text);
        const int right = frameLine.left() - kTickLength - kLabelGap;
        const QRect box(0, y - labelHeight / 2, right, labelHeight);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, tickLabel(v, m_frame.y, numbers));
    }

    m_backgroundValid = true;
    ++m_stats.backgroundBuilds;
}

void ChartView::paintEvent(QPaintEvent*) {
    m_updatePending = false;
    ++m_stats.paints;
    const qreal dpr = devicePixelRatioF();

    // 1. Where everything goes; a new frame makes the background and every series layer stale.
    const Frame frame = computeFrame();
    if (!(frame == m_frame) || m_background.devicePixelRatio() != dpr) {
        m_frame = frame;
        m_mapping = Mapping(frame.data, frame.x, frame.y);
        ++m_frameStamp;
        m_backgroundValid = false;
    }
    if (!m_backgroundValid)
        buildBackground(dpr);

    // 2. The background, then every series in the order it was added, clipped to the plot area.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setClipRect(m_frame.plot);
    for (SeriesCache& cache : m_series)
        paintSeries(painter, cache, dpr);
}

void ChartView::paintSeries(QPainter& painter, SeriesCache& cache, qreal dpr) {
    const Series& series = *cache.series;
    const int count = series.count();
    const QRect plot = m_frame.plot;

    const bool layerHolds = !cache.layer.isNull() && cache.revision == series.revision() &&
                            cache.frameStamp == m_frameStamp && cache.layer.devicePixelRatio() == dpr &&
                            count >= cache.drawn && count - cache.drawn <= kMostIncremental;
    if (layerHolds) {
        // Only points were appended, and the axes stayed: stroke the new segments onto the layer.
        if (count > cache.drawn) {
            QPainter layerPainter(&cache.layer);
            layerPainter.translate(-plot.topLeft());
            drawPoints(layerPainter, series, cache.drawn, count);
            cache.drawn = count;
            ++m_stats.layerExtensions;
        }
    } else if (mendLayer(cache)) {
        ++m_stats.layerMends;
    } else if (count < kLayerMinPoints) {
        // Short series cost less to draw than a layer costs to keep.
        cache.layer = QImage();
        if (count > 0) {
            drawPoints(painter, series, 0, count);
            ++m_stats.directDraws;
        }
        return;
    } else {
        if (cache.layer.size() != plot.size() * dpr || cache.layer.devicePixelRatio() != dpr) {
            cache.layer = QImage(plot.size() * dpr, QImage::Format_ARGB32_Premultiplied);
            cache.layer.setDevicePixelRatio(dpr);
        }
        cache.layer.fill(Qt::transparent);
        QPainter layerPainter(&cache.layer);
        layerPainter.translate(-plot.topLeft());
        if (reduces(count))
            drawReduced(layerPainter, series, 0, count);
        else
            drawPoints(layerPainter, series, 0, count);
        cache.revision = series.revision();
        cache.frameStamp = m_frameStamp;
        cache.drawn = count;
        ++m_stats.layerRedraws;
    }
    painter.drawImage(plot.topLeft(), cache.layer);
}

bool ChartView::mendLayer(SeriesCache& cache) {
    const std::optional<Mend> mend = planMend(cache);
    if (!mend)
        return false;
    redrawBand(cache, *mend);
    // Then the appended points are stroked as usual.
    const Series& series = *cache.series;
    const int count = series.count();
    if (mend->tail < count) {
        QPainter layerPainter(&cache.layer);
        layerPainter.translate(-m_frame.plot.topLeft());
        drawPoints(layerPainter, series, mend->tail, count);
    }
    cache.revision = series.revision();
    cache.drawn = count;
    return true;
}

std::optional<ChartView::Mend> ChartView::planMend(const SeriesCache& cache) const {
    // The layer must be of this frame, and every change since it was drawn an insertion or an append.
    const Series& series = *cache.series;
    if (cache.layer.isNull() || cache.frameStamp != m_frameStamp ||
        cache.layer.devicePixelRatio() != devicePixelRatioF())
        return std::nullopt;
    const auto inserted = series.points().insertionsSince(cache.revision);
    if (!inserted || inserted->count == 0)
        return std::nullopt;
    const int count = series.count();
    const long long appended =
        static_cast<long long>(count) - cache.drawn - static_cast<long long>(inserted->count);
    if (appended < 0 || appended > kMostIncremental)
        return std::nullopt;
    // The appended points are the last ones, unless an insertion landed among them.
    Mend mend;
    mend.tail = count - static_cast<int>(appended);
    if (appended > 0 && !(inserted->maxX < series.x(mend.tail)))
        return std::nullopt;
    const std::optional<QRect> band = insertionBand(series, inserted->minX, inserted->maxX, mend.tail);
    if (!band)
        return std::nullopt;
    mend.band = *band;

    // The points whose segments or markers reach into the band, the inserted ones among them.
    const PointList& points = series.points();
    const double pad = drawPad(series.style());
    const std::size_t lowest = points.lowerBound(m_mapping.unmapX(band->left() - pad));
    const std::size_t highest = points.upperBound(m_mapping.unmapX(band->right() + 1 + pad));
    mend.redrawFrom = static_cast<int>(lowest > 0 ? lowest - 1 : 0);
    mend.redrawTo = std::min(mend.tail, static_cast<int>(highest) + 1);
    if (!reduces(count) && mend.redrawTo - mend.redrawFrom > kMostMendSegments)
        return std::nullopt;
    return mend;
}

std::optional<QRect> ChartView::insertionBand(const Series& series, double minX, double maxX,
                                              int tail) const {
    // From the point before the first inserted one to the point after the last, which were the ends of
    // the segments the insertions replaced, widened by the pen and the markers.
    const PointList& points = series.points();
    const std::size_t first = points.lowerBound(minX);
    const std::size_t last = std::min(points.upperBound(maxX), static_cast<std::size_t>(tail - 1));
    if (first >= points.size())
        return std::nullopt; // only where a NaN x upsets the order
    const double pad = drawPad(series.style());
    const double from = m_mapping.map(points.x(first > 0 ? first - 1 : 0), 0).x() - pad;
    const double to = m_mapping.map(points.x(last), 0).x() + pad;
    const QRect plot = m_frame.plot;
    if (!std::isfinite(from) || !std::isfinite(to) || to - from > plot.width() / 2.0)
        return std::nullopt;
    const int left = std::max(plot.left(), static_cast<int>(std::floor(from)));
    const int right = std::min(plot.right(), static_cast<int>(std::ceil(to)));
    if (right < left)
        return std::nullopt;
    return QRect(left, plot.top(), right - left + 1, plot.height());
}

void ChartView::redrawBand(SeriesCache& cache, const Mend& mend) {
    // The points are redrawn, in the order of a whole drawing, onto a clear scratch layer of the same
    // geometry (a clip would round the cut segments' antialiasing differently), and the band's columns
    // are copied from it. A series long enough to be drawn reduced to columns is mended reduced too: the
    // columns of the band come out as in a whole drawing.
    const Series& series = *cache.series;
    const QRect plot = m_frame.plot;
    const qreal dpr = cache.layer.devicePixelRatio();
    if (m_scratch.size() != cache.layer.size() || m_scratch.devicePixelRatio() != dpr) {
        m_scratch = QImage(cache.layer.size(), QImage::Format_ARGB32_Premultiplied);
        m_scratch.setDevicePixelRatio(dpr);
    }
    // Only the band is copied out of the scratch layer, so only the band needs clearing.
    const int firstColumn = std::max(0, static_cast<int>(std::floor((mend.band.left() - plot.left()) * dpr)));
    const int endColumn = std::min(cache.layer.width(),
                                   static_cast<int>(std::ceil((mend.band.right() + 1 - plot.left()) * dpr)));
    const auto offset = static_cast<std::size_t>(firstColumn) * sizeof(QRgb);
    const auto bytes = static_cast<std::size_t>(endColumn - firstColumn) * sizeof(QRgb);
    for (int row = 0; row < m_scratch.height(); ++row)
        std::memset(m_scratch.scanLine(row) + offset, 0, bytes);
    {
        QPainter scratchPainter(&m_scratch);
        scratchPainter.translate(-plot.topLeft());
        if (reduces(series.count()))
            drawReduced(scratchPainter, series, mend.redrawFrom > 0 ? mend.redrawFrom - 1 : 0, mend.redrawTo);
        else
            drawPoints(scratchPainter, series, mend.redrawFrom, mend.redrawTo);
    }
    for (int row = 0; row < cache.layer.height(); ++row)
        std::memcpy(cache.layer.scanLine(row) + offset, m_scratch.constScanLine(row) + offset, bytes);
}

double ChartView::drawPad(const SeriesStyle& style) const {
    // How far a drawing reaches beyond its points: half the pen and square cap, half a marker, and a
    // pixel of antialiasing, rounded up generously.
    return std::max(style.lineWidth, std::max(style.markerWidth, style.markerHeight)) + 2;
}

void ChartView::drawPoints(QPainter& painter, const Series& series, int from, int to) const {
    // Each segment is stroked on its own, point after point (the segment reaching a point, then its
    // marker), so that drawing a series in pieces gives exactly the picture of drawing it at once.
    const SeriesStyle& style = series.style();
    const QPen pen = seriesPen(style);
    const double pad = drawPad(style);
    const QRectF bounds = QRectF(m_frame.plot).adjusted(-pad, -pad, pad, pad);
    const double rx = style.markerWidth / 2.0, ry = style.markerHeight / 2.0;
    const bool markers = style.marker && style.markerWidth > 0 && style.markerHeight > 0;

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    painter.setBrush(style.color);
    QPointF previous = from > 0 ? m_mapping.map(series.x(from - 1), series.y(from - 1)) : QPointF();
    if (style.penStyle != Qt::SolidLine) {
        // Dashes run on from segment to segment only along one path; a non-finite point breaks it.
        QPolygonF path;
        auto flush = [&] {
            if (path.size() > 1)
                painter.drawPolyline(path);
            path.clear();
        };
        for (int i = std::max(0, from - 1); i < to; ++i) {
            const QPointF point = m_mapping.map(series.x(i), series.y(i));
            if (std::isfinite(point.x()) && std::isfinite(point.y()))
                path << point;
            else
                flush();
        }
        flush();
        return;
    }
    if (!markers) {
        // Without markers the segments go to the engine in one call, which
        // still strokes them one by one, in order: the same picture, far
        // less overhead per segment.
        thread_local std::vector<QLineF> lines;
        lines.clear();
        for (int i = from; i < to; ++i) {
            const QPointF point = m_mapping.map(series.x(i), series.y(i));
            QPointF a = previous, b = point;
            if (i > 0 && clipSegment(a, b, bounds))
                lines.emplace_back(a, b);
            previous = point;
        }
        if (!lines.empty())
            painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        return;
    }
    for (int i = from; i < to; ++i) {
        const QPointF point = m_mapping.map(series.x(i), series.y(i));
        if (i > 0) {
            QPointF a = previous, b = point;
            if (clipSegment(a, b, bounds))
                painter.drawLine(QLineF(a, b));
        }
        if (markers && std::isfinite(point.x()) && std::isfinite(point.y()) && bounds.contains(point)) {
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(point, rx, ry);
            painter.setPen(pen);
        }
        previous = point;
    }
}

bool ChartView::reduces(int count) const {
    return count > kReducePerColumn * m_frame.plot.width();
}

void ChartView::drawReduced(QPainter& painter, const Series& series, int from, int to) const {
    const SeriesStyle& style = series.style();
    const double pad = drawPad(style);
    const QRectF bounds = QRectF(m_frame.plot).adjusted(-pad, -pad, pad, pad);

    std::vector<QLineF> lines;
    reduceToColumns(series.points(), m_mapping, lines, static_cast<std::size_t>(from),
                    static_cast<std::size_t>(to));
    std::erase_if(lines, [&](QLineF& line) {
        QPointF a = line.p1(), b = line.p2();
        if (!clipSegment(a, b, bounds))
            return true;
        line = QLineF(a, b);
        return false;
    });
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(seriesPen(style));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));

    if (style.marker && style.markerWidth > 0 && style.markerHeight > 0) {
        // Markers that would land on the same pixel are drawn once.
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.color);
        QPoint last(-1, -1);
        for (int i = from; i < to; ++i) {
            const QPointF point = m_mapping.map(series.x(i), series.y(i));
            if (!std::isfinite(point.x()) || !std::isfinite(point.y()) || !bounds.contains(point) ||
                point.toPoint() == last)
                continue;
            last = point.toPoint();
            painter.drawEllipse(point, style.markerWidth / 2.0, style.markerHeight / 2.0);
        }
    }
}

} // namespace calidor::charts
