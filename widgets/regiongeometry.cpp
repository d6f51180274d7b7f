#include "widgets/regiongeometry.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace calidor {
namespace RegionGeometry {

namespace {

constexpr double kPi = std::numbers::pi;

// Coordinates are kept within this bound: far beyond any window, small enough that products of two
// coordinates stay exact in a double and regions never span absurd numbers of scan lines.
constexpr double kCoordLimit = 1 << 22;

// Rounds to the nearest integer, ties to even (the default floating-point rounding mode), and keeps the
// result within the coordinate bound so that no conversion can overflow.
int rnd(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, -kCoordLimit, kCoordLimit)));
}

long long bevelMargin(int depth) {
    return std::max<long long>(2, depth);
}

int curvePoints(long long wanted) {
    return static_cast<int>(std::clamp<long long>(wanted, 8, kMaxCurvePoints));
}

// Drops repeated neighbours (the last point repeating the first included): the outlines of our own
// design come from rounded coordinates, which collapse at small sizes.
Tpoints withoutRepeats(const Tpoints& points) {
    Tpoints out;
    for (const QPoint& p : points)
        if (out.empty() || out.back() != p)
            out.push_back(p);
    while (out.size() > 1 && out.back() == out.front())
        out.pop_back();
    return out;
}

Shape singlePolygon(const Tpoints& points) {
    Shape shape;
    addPolygon(shape, points, 0);
    return shape;
}

Shape boxOutline(int w, int h) {
    return singlePolygon({{0, 0}, {w, 0}, {w, h}, {0, h}});
}

// A polygon given in pixels as doubles, rounded to the grid.
Shape roundedPolygon(std::initializer_list<std::pair<double, double>> corners) {
    Tpoints points;
    for (const auto& [x, y] : corners)
        points.emplace_back(rnd(x), rnd(y));
    return singlePolygon(withoutRepeats(points));
}

Shape roundRectOutline(int w, int h) {
    const double r = std::min(w, h) / 4.0;
    const int steps = std::clamp(static_cast<int>(std::ceil(r / 2)), 2, 16);
    Tpoints points;
    // Each corner is a quarter circle, walked clockwise: top left, top right, bottom right, bottom left.
    for (int corner = 0; corner < 4; ++corner) {
        for (int j = 0; j <= steps; ++j) {
            const double phi = kPi / 2 * j / steps;
            const double c = std::cos(phi), s = std::sin(phi);
            double x = 0, y = 0;
            switch (corner) {
            case 0:
                x = r - r * c;
                y = r - r * s;
                break;
            case 1:
                x = w - r + r * s;
                y = r - r * c;
                break;
            case 2:
                x = w - r + r * c;
                y = h - r + r * s;
                break;
            default:
                x = r - r * s;
                y = h - r + r * c;
                break;
            }
            points.emplace_back(rnd(x), rnd(y));
        }
    }
    return singlePolygon(withoutRepeats(points));
}

Shape polyStarOutline(int w, int h, int peaks) {
    Tpoints points;
    for (int i = 0; i < 2 * peaks; ++i)
        points.push_back(ellipsePoint(kPi * i / peaks, w, h, i % 2 == 0 ? 1.0 : 0.5));
    return singlePolygon(withoutRepeats(points));
}

Shape arcOutline(int w, int h, int depth, double ratio, double angle) {
    const int steps =
        std::clamp(curvePoints(std::max(w, h) - 2 * bevelMargin(depth)) / 2, 2, kMaxCurvePoints / 2);
    // The ring piece on a unit circle (y up), outer edge clockwise from the left end of the arc, then the
    // inner edge back; the arc is centred on the top.
    std::vector<std::pair<double, double>> unit;
    for (int j = 0; j <= steps; ++j) {
        const double t = -angle / 2 + angle * j / steps;
        unit.emplace_back(std::sin(t), std::cos(t));
    }
    for (int j = steps; j >= 0; --j) {
        const double t = -angle / 2 + angle * j / steps;
        unit.emplace_back(ratio * std::sin(t), ratio * std::cos(t));
    }
    // Stretched to fill the box, so that a short arc is as usable a button as a long one.
    double minX = 1, maxX = -1, minY = 1, maxY = -1;
    for (const auto& [x, y] : unit) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    const double spanX = std::max(maxX - minX, 1e-9), spanY = std::max(maxY - minY, 1e-9);
    Tpoints points;
    for (const auto& [x, y] : unit)
        points.emplace_back(rnd((x - minX) / spanX * w), rnd((maxY - y) / spanY * h));
    return singlePolygon(withoutRepeats(points));
}

Shape ellipticOutline(int w, int h, int depth) {
    const int n = curvePoints(std::max(w, h) - 2 * bevelMargin(depth));
    Tpoints points;
    for (int i = 0; i < n; ++i)
        points.push_back(ellipsePoint(2 * kPi * i / n, w, h));
    return singlePolygon(points);
}

Shape polyOutline(int w, int h, int peaks) {
    Tpoints points;
    for (int i = 0; i < peaks; ++i)
        points.push_back(ellipsePoint(2 * kPi * i / peaks, w, h));
    return singlePolygon(points);
}

Shape donutOutline(int w, int h, int depth, double ratio) {
    const int n = curvePoints(std::max(w, h) - 4 * bevelMargin(depth));
    Shape shape;
    Tpoints outer, inner;
    for (int i = 0; i < n; ++i) {
        outer.push_back(ellipsePoint(2 * kPi * i / n, w, h));
        inner.push_back(ellipsePoint(2 * kPi * i / n, w, h, ratio));
    }
    addPolygon(shape, outer, 0);
    addPolygon(shape, inner, 1);
    return shape;
}

// Direction of a vector, for the inset.
double vectorAngle(int dx, int dy) {
    // Counter-clockwise with the y axis up; the differences are scaled down first.
    const double x = dx / 1000.0, y = -dy / 1000.0;
    if (x == 0)
        return y >= 0 ? kPi / 2 : -kPi / 2;
    return std::atan2(y, x);
}

struct VertexMove {
    QPoint from;
    QPoint to;
    int sharpness = 0;
};

// Whether the lines of two moves cross at an x strictly inside both moves' x ranges. Exact integer
// arithmetic, so that moves meeting at an end point never count as crossing.
bool movesCross(const VertexMove& a, const VertexMove& b) {
    __extension__ using Wide = __int128;
    const Wide ax = a.to.x() - a.from.x(), ay = a.to.y() - a.from.y();
    const Wide bx = b.to.x() - b.from.x(), by = b.to.y() - b.from.y();
    Wide denom = ax * by - ay * bx;
    if (denom == 0)
        return false;
    const Wide ex = b.from.x() - a.from.x(), ey = b.from.y() - a.from.y();
    Wide num = ex * by - ey * bx; // crossing at a.from + (num / denom) * (ax, ay)
    if (denom < 0) {
        denom = -denom;
        num = -num;
    }
    const Wide scaledX = Wide(a.from.x()) * denom + num * ax; // crossing x times denom
    auto strictlyInside = [&](int x1, int x2) {
        const Wide lo = Wide(std::min(x1, x2)) * denom, hi = Wide(std::max(x1, x2)) * denom;
        return lo < scaledX && scaledX < hi;
    };
    return strictlyInside(a.from.x(), a.to.x()) && strictlyInside(b.from.x(), b.to.x());
}

Tpoints insetPolygon(const QPoint* pts, int n, double d, bool hole) {
    std::vector<VertexMove> moves(n);
    for (int i = 0; i < n; ++i) {
        const QPoint v = pts[i];
        VertexMove& mv = moves[i];
        mv.from = mv.to = v;
        // 1. Nearest neighbours at another position.
        int prev = i, next = i;
        do
            prev = (prev + n - 1) % n;
        while (prev != i && pts[prev] == v);
        do
            next = (next + 1) % n;
        while (next != i && pts[next] == v);
        if (prev == i || next == i)
            continue;
        // 2. The corner's bisector J and half opening L.
        const double a1 = vectorAngle(pts[prev].x() - v.x(), pts[prev].y() - v.y());
        const double a2 = vectorAngle(pts[next].x() - v.x(), pts[next].y() - v.y());
        const double j = (a1 + a2) / 2, l = (a1 - a2) / 2;
        mv.sharpness = std::abs(rnd(1000 * std::cos(l)));
        // 3. A vertex where the outline turns back on itself stays; the others move along the bisector,
        // into the filled area, as far as keeps both edges `d` away (at most 2d at sharp corners).
        const double sinL = std::abs(std::sin(l));
        if (sinL < 0.001)
            continue;
        const double probe = 0.011 / sinL;
        const bool probeInside =
            pointInPolygon(pts, n, v.x() + probe * std::cos(j), v.y() - probe * std::sin(j));
        const int sign = (probeInside != hole) ? 1 : -1;
        QPoint step = sinL < 0.5 ? QPoint(rnd(2 * d * std::cos(j)), rnd(-2 * d * std::sin(j)))
                                 : QPoint(rnd(d * std::cos(j) / sinL), rnd(-d * std::sin(j) / sinL));
        mv.to = QPoint(rnd(double(v.x()) + sign * step.x()), rnd(double(v.y()) + sign * step.y()));
    }
    // 4. Repair: where the moves of two neighbours cross, the blunter vertex joins the sharper one. The
    // bound on passes only guards against cycling; it is never reached by ordinary outlines.
    bool firstTookSuccessor = true;
    for (int pass = 0; firstTookSuccessor && pass <= n + 1; ++pass) {
        firstTookSuccessor = false;
        for (int i = 0; i < n; ++i) {
            const int k = (i + 1) % n;
            if (k == i || !movesCross(moves[i], moves[k]))
                continue;
            if (moves[i].sharpness < moves[k].sharpness) {
                moves[i].to = moves[k].to;
                moves[i].sharpness = moves[k].sharpness;
                firstTookSuccessor = true;
            } else {
                moves[k].to = moves[i].to;
                moves[k].sharpness = moves[i].sharpness;
            }
        }
    }
    Tpoints out;
    out.reserve(n);
    for (const VertexMove& mv : moves)
        out.push_back(mv.to);
    return out;
}

// Balanced union, much cheaper than adding many small regions one by one.
QRegion unite(std::vector<QRegion>& parts, size_t first, size_t last) {
    if (first >= last)
        return {};
    if (last - first == 1)
        return parts[first];
    const size_t mid = first + (last - first) / 2;
    return unite(parts, first, mid).united(unite(parts, mid, last));
}

} // namespace

void addPolygon(Shape& shape, const Tpoints& points, int level) {
    shape.polygons.points.insert(shape.polygons.points.end(), points.begin(), points.end());
    shape.polygons.counts.push_back(static_cast<int>(points.size()));
    shape.levels.push_back(level);
}

QPoint ellipsePoint(double t, int width, int height, double scale) {
    return {rnd(std::sin(t) * width / 2.0 * scale + 0.5 * width),
            rnd(-std::cos(t) * height / 2.0 * scale + 0.5 * height)};
}

// The outline of a lying stadium `along` x `across`: a half circle at each end with n points, joined by
// straight sides, clockwise from the top side's right end.
Tpoints lyingStadium(int along, int across, int n) {
    Tpoints points(std::max(8, 2 * n + 4), QPoint(0, 0));
    const double L = along, D = across;
    points[0] = QPoint(along - across / 2 - 1, 0);
    for (int k = 0; k < n; ++k) { // far half circle, clockwise from its top
        const double t = k * kPi / n;
        points[1 + k] = QPoint(rnd(std::sin(t) * D / 2 + (L - 0.5 * D)), rnd(0.5 * D - std::cos(t) * D / 2));
    }
    points[n + 1] = QPoint(along - across / 2 - 1, across);
    points[n + 2] = QPoint(across / 2 + 1, across);
    for (int k = 0; k < n; ++k) { // near half circle, clockwise from its bottom
        const double t = k * kPi / n;
        points[n + 3 + k] = QPoint(rnd(0.5 * D - std::sin(t) * D / 2), rnd(std::cos(t) * D / 2 + 0.5 * D));
    }
    points[2 * n + 3] = QPoint(across / 2 + 1, 0);
    return points;
}

Shape ovalOutline(int width, int height, int depth) {
    const long long w = width, h = height;
    const long long m = bevelMargin(depth);
    const bool lying = w > h;
    const long long across = lying ? h : w; // the stadium's thickness, also its end circles' diameter
    const long long thin = across - 2 * m;
    if (thin < 0)
        return boxOutline(width, height);
    // The half circles get n points each; an absurd size cannot exceed the curve budget.
    const int n = static_cast<int>(std::min<long long>(thin, kMaxCurvePoints / 2));
    Tpoints points = lyingStadium(lying ? width : height, lying ? height : width, n);
    if (!lying) // a standing oval is the lying one turned a quarter clockwise (not the padding points)
        for (int i = 0; i < 2 * n + 4; ++i)
            points[i] = QPoint(width - points[i].y(), points[i].x());
    return singlePolygon(points);
}

Shape arrowOutline(int w, int h) {
    const double head = std::min(w / 2.0, h / 2.0);
    return roundedPolygon({{0, h / 4.0},
                           {w - head, h / 4.0},
                           {w - head, 0},
                           {w, h / 2.0},
                           {w - head, h},
                           {w - head, h * 3 / 4.0},
                           {0, h * 3 / 4.0}});
}

Shape doubleArrowOutline(int w, int h) {
    const double head = std::min(w / 3.0, h / 2.0);
    return roundedPolygon({{head, 0},
                           {head, h / 4.0},
                           {w - head, h / 4.0},
                           {w - head, 0},
                           {w, h / 2.0},
                           {w - head, h},
                           {w - head, h * 3 / 4.0},
                           {head, h * 3 / 4.0},
                           {head, h},
                           {0, h / 2.0}});
}

Shape chevronOutline(int w, int h) {
    const double head = std::min(w / 2.0, h / 2.0);
    return roundedPolygon({{0, 0}, {w - head, 0}, {w, h / 2.0}, {w - head, h}, {0, h}, {head, h / 2.0}});
}

Shape crossOutline(int w, int h) {
    const double x1 = w / 3.0, x2 = w - w / 3.0, y1 = h / 3.0, y2 = h - h / 3.0;
    return roundedPolygon({{x1, 0},
                           {x2, 0},
                           {x2, y1},
                           {w, y1},
                           {w, y2},
                           {x2, y2},
                           {x2, h},
                           {x1, h},
                           {x1, y2},
                           {0, y2},
                           {0, y1},
                           {x1, y1}});
}

Shape cutRectOutline(int w, int h) {
    const double c = std::min(w, h) / 4.0;
    return roundedPolygon({{c, 0}, {w - c, 0}, {w, c}, {w, h - c}, {w - c, h}, {c, h}, {0, h - c}, {0, c}});
}

Shape diagonalCrossOutline(int w, int h) {
    // Arms a fifth of the box wide, meeting in the middle.
    const double kx = w / 5.0, ky = h / 5.0, cx = w / 2.0, cy = h / 2.0;
    return roundedPolygon({{0, ky},
                           {kx, 0},
                           {cx, cy - ky},
                           {w - kx, 0},
                           {w, ky},
                           {cx + kx, cy},
                           {w, h - ky},
                           {w - kx, h},
                           {cx, cy + ky},
                           {kx, h},
                           {0, h - ky},
                           {cx - kx, cy}});
}

// A user outline that does not parse gives the plain box.
Shape userOutline(const QString& text, int w, int h) {
    Shape shape;
    if (parseUserOutline(text, shape))
        return shape;
    return boxOutline(w, h);
}

namespace {

// The kinds drawn from the size alone, each with its construction.
using SizedOutline = Shape (*)(int w, int h);
constexpr std::pair<TShapeKind, SizedOutline> kSizedKinds[] = {
    {bkRect, boxOutline},           {bkRoundRect, roundRectOutline}, {bkArrow, arrowOutline},
    {bkArrow1, doubleArrowOutline}, {bkArrow2, chevronOutline},      {bkCross, crossOutline},
    {bkCutRect, cutRectOutline},    {bkCross1, diagonalCrossOutline}};

} // namespace

Shape outline(const ShapeParams& p) {
    const int w = p.width, h = p.height;
    if (w <= 0 || h <= 0)
        return {};
    const int peaks = std::clamp(p.peaks, 3, 20);
    const double ratio = std::clamp(p.radiusRatio, 0.0, 1.0);
    switch (p.kind) {
    case bkElliptic:
        return ellipticOutline(w, h, p.depth);
    case bkOval:
        return ovalOutline(w, h, p.depth);
    case bkPoly:
        return polyOutline(w, h, peaks);
    case bkPolyStar:
        return polyStarOutline(w, h, peaks);
    case bkArc:
        return arcOutline(w, h, p.depth, ratio, std::clamp(p.arcAngle, 0.01, 2 * kPi));
    case bkDonut:
        return donutOutline(w, h, p.depth, ratio);
    case bkUser:
        return userOutline(p.userOutline, w, h);
    default:
        break;
    }
    for (const auto& [kind, draw] : kSizedKinds)
        if (kind == p.kind)
            return draw(w, h);
    return boxOutline(w, h);
}

bool pointInPolygon(const QPoint* points, int count, double x, double y) {
    bool inside = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        const double xi = points[i].x(), yi = points[i].y(), xj = points[j].x(), yj = points[j].y();
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

Shape inset(const Shape& shape, int distance) {
    Shape out;
    out.levels = shape.levels;
    out.polygons.counts = shape.polygons.counts;
    out.polygons.points.reserve(shape.polygons.points.size());
    size_t start = 0;
    for (int k = 0; k < shape.polygonCount(); ++k) {
        const int n = shape.polygons.counts[k];
        const bool hole = shape.levels[k] % 2 != 0;
        const Tpoints moved = insetPolygon(shape.polygons.points.data() + start, n, distance, hole);
        out.polygons.points.insert(out.polygons.points.end(), moved.begin(), moved.end());
        start += n;
    }
    return out;
}

Bands bands(const Shape& outer, const Shape& inner) {
    Bands result;
    if (outer.polygons.counts != inner.polygons.counts ||
        outer.polygons.points.size() != inner.polygons.points.size())
        return result;
    const Tpoints& o = outer.polygons.points;
    const Tpoints& in = inner.polygons.points;
    size_t start = 0;
    for (int k = 0; k < outer.polygonCount(); ++k) {
        const int n = outer.polygons.counts[k];
        const bool hole = outer.levels[k] % 2 != 0;
        for (int i = 0; i < n; ++i) {
            const size_t a = start + i, b = start + (i + 1) % n;
            const int dx = o[b].x() - o[a].x(), dy = o[b].y() - o[a].y();
            const bool light = hole ? (dx >= 0 && dy < dx) : dy < dx;
            TRgnpoints& band = light ? result.light : result.dark;
            band.points.insert(band.points.end(), {o[a], in[a], in[b], o[b]});
            band.counts.push_back(4);
        }
        start += n;
    }
    return result;
}

void rotatePoints(Tpoints& points, QPoint centre, int tenths) {
    const double a = tenths * kPi / 1800;
    for (QPoint& p : points) {
        if (p.isNull())
            continue;
        const double r = std::hypot(double(p.x()), double(p.y()));
        const double f = std::atan2(-double(p.y()), double(p.x())) + a;
        p = QPoint(rnd(r * std::cos(f)), -rnd(r * std::sin(f)));
    }
    const double rc = std::hypot(double(centre.x()), double(centre.y()));
    const double fc = std::atan2(-double(centre.y()), double(centre.x())) + a;
    const double turnedX = rc * std::cos(fc), turnedY = -rc * std::sin(fc);
    const QPoint shift(
        static_cast<int>(std::trunc(std::clamp(centre.x() - turnedX, -kCoordLimit, kCoordLimit))),
        static_cast<int>(std::trunc(std::clamp(centre.y() - turnedY, -kCoordLimit, kCoordLimit))));
    for (QPoint& p : points)
        p += shift;
}

QRegion regionFromShape(const Shape& shape) {
    std::vector<QRegion> parts;
    std::vector<size_t> starts;
    size_t start = 0;
    int maxLevel = 0;
    for (int k = 0; k < shape.polygonCount(); ++k) {
        const int n = shape.polygons.counts[k];
        const auto first = shape.polygons.points.begin() + static_cast<std::ptrdiff_t>(start);
        parts.emplace_back(QPolygon(QList<QPoint>(first, first + n)), Qt::OddEvenFill);
        maxLevel = std::max(maxLevel, shape.levels[k]);
        start += n;
    }
    QRegion result;
    const auto firstSolid = std::find(shape.levels.begin(), shape.levels.end(), 0);
    if (firstSolid != shape.levels.end())
        result = parts[firstSolid - shape.levels.begin()];
    for (int level = 0; level <= maxLevel; ++level) {
        for (int k = 0; k < shape.polygonCount(); ++k) {
            if (shape.levels[k] != level)
                continue;
            result = level % 2 == 0 ? result.united(parts[k]) : result.subtracted(parts[k]);
        }
    }
    return result;
}

QRegion regionFromPolygons(const TRgnpoints& polygons) {
    std::vector<QRegion> parts;
    parts.reserve(polygons.counts.size());
    size_t start = 0;
    for (const int n : polygons.counts) {
        const auto first = polygons.points.begin() + static_cast<std::ptrdiff_t>(start);
        QRegion part(QPolygon(QList<QPoint>(first, first + n)), Qt::OddEvenFill);
        if (!part.isEmpty())
            parts.push_back(std::move(part));
        start += n;
    }
    return unite(parts, 0, parts.size());
}

QRegion frameRegion(const QRegion& region) {
    const QRegion core = region.intersected(region.translated(1, 0))
                             .intersected(region.translated(-1, 0))
                             .intersected(region.translated(0, 1))
                             .intersected(region.translated(0, -1));
    return region.subtracted(core);
}

} // namespace RegionGeometry
} // namespace calidor
