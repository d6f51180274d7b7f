#pragma once

#include "charts/pointlist.h"

#include <QLineF>
#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

namespace calidor::charts {

/// What the user asks of one axis: each end is either fixed at the given value or follows the data.
struct AxisRange {
    bool autoMin = true;
    bool autoMax = true;
    double min = 0; ///< used when autoMin is false
    double max = 0; ///< used when autoMax is false
};

/// The range an axis actually shows, with its tick spacing.
struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 0;  ///< distance between ticks; 0 when the axis shows no ticks
    int decimals = 0; ///< decimals of the tick labels

    bool operator==(const AxisScale&) const = default;
};

/// The smallest step of the 1, 2, 5 x 10^k series that is at least raw; 0 when raw is not a positive
/// finite number.
double niceStep(double raw);

/// Resolves an axis for the data it shows and its length on screen.
///
/// Fixed ends stay as they are (swapped if given in the wrong order). Automatic ends follow the data and
/// round outward to a multiple of the tick step, so the range only changes when the data crosses a tick:
/// this keeps the axis still from one refresh to the next. With no data an automatic axis shows 0 to 1.
/// Ticks are about minTickSpacing pixels apart or more. Degenerate or non-finite inputs give a usable
/// range, never a zero or infinite span.
AxisScale resolveAxis(const AxisRange& range, const ValueBounds& data, double lengthPx,
                      double minTickSpacingPx);

/// The tick values of a scale, ascending; empty when the scale has no step or would need absurdly many.
std::vector<double> tickValues(const AxisScale& scale);

/// The text of a tick label: a point as decimal separator whatever `locale`
/// says (the fields read a point only), and no digit grouping.
QString tickLabel(double value, const AxisScale& scale, const QLocale& locale);

/// Maps data values to pixels: the axis minimum at the left (bottom) edge of the rectangle, its maximum
/// at the right (top) edge; values outside the scales map outside the rectangle.
class Mapping {
public:
    Mapping() = default;
    Mapping(const QRectF& pixels, const AxisScale& x, const AxisScale& y);

    QPointF map(double x, double y) const {
        return {m_left + (x - m_xMin) * m_xScale, m_bottom - (y - m_yMin) * m_yScale};
    }

    /// The data x at pixel column position px.
    double unmapX(double px) const { return m_xMin + (px - m_left) / m_xScale; }

    bool operator==(const Mapping&) const = default;

private:
    double m_left = 0, m_bottom = 0;
    double m_xMin = 0, m_yMin = 0;
    double m_xScale = 1, m_yScale = 1; // pixels per data unit
};

/// Cuts the segment a-b to the rectangle (Liang-Barsky). Returns false when no part of it lies inside,
/// or when a coordinate is not finite.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& rect);

/// Reduces a long series, already in ascending x, to a few segments per pixel column: the first point
/// of the column, its lowest and highest points in the order they come, and its last point, joined to
/// the neighbouring columns. A point with a non-finite coordinate breaks the line. Only the points from
/// index from up to (not including) to are taken. The segments are appended to out, in pixels.
void reduceToColumns(const PointList& points, const Mapping& mapping, std::vector<QLineF>& out,
                     std::size_t from = 0, std::size_t to = SIZE_MAX);

} // namespace calidor::charts
