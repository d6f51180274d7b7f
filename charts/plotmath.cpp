#include "charts/plotmath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calidor::charts {

namespace {

// Tick labels beyond this size, or finer than this many decimals, switch to exponent notation.
constexpr double kLargestFixedLabel = 1e12;
constexpr int kMostDecimals = 12;
// An axis never shows more ticks than this, whatever its length.
constexpr double kMostTicks = 200;
// Relative tolerance of tick arithmetic, so that 0.1 + 0.2 still counts as a multiple of 0.1.
constexpr double kTickTolerance = 1e-9;
// The narrowest span an axis shows: narrower ones would make the pixels per unit overflow.
constexpr double kNarrowestSpan = 1e-290;

bool finite(double v) {
    return std::isfinite(v);
}

// Whether [lo, hi] is a range that maps to pixels without overflow and with visible resolution.
bool usable(double lo, double hi) {
    if (!finite(lo) || !finite(hi) || !(hi > lo) || !finite(hi - lo))
        return false;
    return (hi - lo) > std::max(std::abs(lo), std::abs(hi)) * 1e-12 && (hi - lo) > kNarrowestSpan;
}

// A usable range around the middle of [lo, hi], for inputs that are not one.
void repair(double& lo, double& hi) {
    double centre = 0;
    if (finite(lo) && finite(hi))
        centre = lo / 2 + hi / 2;
    else if (finite(lo))
        centre = lo;
    else if (finite(hi))
        centre = hi;
    centre = std::clamp(centre, -1e300, 1e300);
    const double half = std::max(1.0, std::abs(centre) * 1e-3);
    lo = centre - half;
    hi = centre + half;
}

int decimalsFor(double step) {
    if (!(step > 0))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - kTickTolerance)), 0, kMostDecimals + 1);
}

} // namespace

double niceStep(double raw) {
    if (!(raw > 0) || !finite(raw))
        return 0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    double nice = 10;
    if (fraction <= 1 + kTickTolerance)
        nice = 1;
    else if (fraction <= 2 + kTickTolerance)
        nice = 2;
    else if (fraction <= 5 + kTickTolerance)
        nice = 5;
    const double step = nice * magnitude;
    return finite(step) ? step : 0;
}

AxisScale resolveAxis(const AxisRange& range, const ValueBounds& data, double lengthPx,
                      double minTickSpacingPx) {
    // A fixed end that is not a finite number cannot be honoured: it follows the data instead.
    const bool loAuto = range.autoMin || !finite(range.min);
    const bool hiAuto = range.autoMax || !finite(range.max);
    const double dataLo = data.valid ? data.min : 0;
    const double dataHi = data.valid ? data.max : 1;

    double lo = loAuto ? dataLo : range.min;
    double hi = hiAuto ? dataHi : range.max;

    if (!loAuto && !hiAuto) {
        if (lo > hi)
            std::swap(lo, hi);
        if (lo == hi)
            hi = lo + 1;
    } else if (lo > hi) {
        // All the data lies beyond the fixed end: show one unit on the side of the data.
        if (loAuto)
            lo = hi - 1;
        else
            hi = lo + 1;
    } else if (lo == hi) {
        // A single value: open the automatic end(s) around it.
        const double pad = lo == 0 ? 1 : std::abs(lo) * 0.1;
        if (loAuto)
            lo -= pad;
        if (hiAuto)
            hi += pad;
    }
    if (!usable(lo, hi))
        repair(lo, hi);

    const double intervals = std::max(1.0, std::floor(lengthPx / std::max(1.0, minTickSpacingPx)));
    double step = niceStep((hi - lo) / intervals);
    if (step > 0) {
        // Round the automatic ends outward to whole steps; if that makes too many intervals, take the next
        // nice step (a few rounds at most).
        for (int round = 0; round < 4; ++round) {
            const double newLo = loAuto ? std::floor(lo / step + kTickTolerance) * step : lo;
            const double newHi = hiAuto ? std::ceil(hi / step - kTickTolerance) * step : hi;
            if ((newHi - newLo) / step <= intervals + 0.5 || round == 3) {
                if (usable(newLo, newHi)) {
                    lo = newLo;
                    hi = newHi;
                }
                break;
            }
            step = niceStep(step * 1.5);
        }
    }

    AxisScale scale;
    scale.min = lo;
    scale.max = hi;
    scale.step = (step > 0 && (hi - lo) / step <= kMostTicks) ? step : 0;
    scale.decimals = decimalsFor(scale.step);
    return scale;
}

std::vector<double> tickValues(const AxisScale& scale) {
    std::vector<double> ticks;
    if (!(scale.step > 0) || !usable(scale.min, scale.max))
        return ticks;
    const double first = std::ceil(scale.min / scale.step - kTickTolerance);
    const double count = std::floor(scale.max / scale.step + kTickTolerance) - first + 1;
    if (!(count >= 1) || count > kMostTicks + 1)
        return ticks;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        double v = (first + i) * scale.step;
        if (std::abs(v) < scale.step * kTickTolerance)
            v = 0; // no "-0"
        ticks.push_back(v);
    }
    return ticks;
}

QString tickLabel(double value, const AxisScale& scale, [[maybe_unused]] const QLocale& locale) {
    // Always a point, whatever the locale: the fields read a point only, so a
    // value copied from an axis into a field must read back the same.
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const double largest = std::max(std::abs(scale.min), std::abs(scale.max));
    if (largest >= kLargestFixedLabel || scale.decimals > kMostDecimals)
        return plain.toString(value, 'g', 6);
    return plain.toString(value, 'f', scale.decimals);
}

Mapping::Mapping(const QRectF& pixels, const AxisScale& x, const AxisScale& y)
    : m_left(pixels.left()), m_bottom(pixels.bottom()), m_xMin(x.min), m_yMin(y.min),
      m_xScale(pixels.width() / (x.max - x.min)), m_yScale(pixels.height() / (y.max - y.min)) {}

bool clipSegment(QPointF& a, QPointF& b, const QRectF& rect) {
    const double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    const double dx = x1 - x0, dy = y1 - y0;
    if (!finite(x0) || !finite(y0) || !finite(dx) || !finite(dy))
        return false;
    // Each edge k (left, right, top, bottom) gives p * t <= q for the part of the line inside it.
    const double edge[4] = {rect.left(), rect.right(), rect.top(), rect.bottom()};
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - edge[0], edge[1] - x0, y0 - edge[2], edge[3] - y0};
    double t0 = 0, t1 = 1;
    int entry = -1, exit = -1; // the edges where the kept part starts and ends, if cut
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0 && t > t0) {
            t0 = t;
            entry = k;
        } else if (p[k] > 0 && t < t1) {
            t1 = t;
            exit = k;
        }
        if (t0 > t1)
            return false;
    }
    // A cut point lies exactly on its edge; its other coordinate is taken from the nearer end, which
    // keeps the precision that far-away ends would lose.
    auto cut = [&](double t, int k) {
        double x = t < 0.5 ? x0 + t * dx : x1 - (1 - t) * dx;
        double y = t < 0.5 ? y0 + t * dy : y1 - (1 - t) * dy;
        (k < 2 ? x : y) = edge[k];
        return QPointF(x, y);
    };
    if (exit >= 0)
        b = cut(t1, exit);
    if (entry >= 0)
        a = cut(t0, entry);
    return true;
}

void reduceToColumns(const PointList& points, const Mapping& mapping, std::vector<QLineF>& out,
                     std::size_t from, std::size_t to) {
    // One column's summary: its first, lowest, highest and last points (screen y grows downwards, so
    // "lowest" is the largest y; the order of the two extremes is the order in which they came).
    struct Column {
        double index = 0;
        QPointF first, last, low, high;
        std::size_t lowAt = 0, highAt = 0;
    };
    bool open = false;   // a column is being gathered
    bool joined = false; // the previous column's last point continues into the next one
    Column col;
    QPointF previous;

    auto lineTo = [&](const QPointF& p) {
        if (joined && p != previous)
            out.emplace_back(previous, p);
        previous = p;
        joined = true;
    };
    auto flush = [&] {
        if (!open)
            return;
        lineTo(col.first);
        if (col.lowAt < col.highAt) {
            lineTo(col.low);
            lineTo(col.high);
        } else {
            lineTo(col.high);
            lineTo(col.low);
        }
        lineTo(col.last);
        open = false;
    };

    for (std::size_t i = from; i < std::min(to, points.size()); ++i) {
        const QPointF p = mapping.map(points.x(i), points.y(i));
        if (!finite(p.x()) || !finite(p.y())) {
            flush();
            joined = false;
            continue;
        }
        const double index = std::floor(p.x());
        if (open && index == col.index) {
            col.last = p;
            if (p.y() > col.low.y()) {
                col.low = p;
                col.lowAt = i;
            }
            if (p.y() < col.high.y()) {
                col.high = p;
                col.highAt = i;
            }
            continue;
        }
        flush();
        open = true;
        col.index = index;
        col.first = col.last = col.low = col.high = p;
        col.lowAt = col.highAt = i;
    }
    flush();
}

} // namespace calidor::charts
