#pragma once

// Geometry of the shaped button: outlines of every shape kind, the inset that makes the bevel, the bevel
// bands, the rotation of point lists and regions built from nested polygons. Pure functions, no widget.
//
// Coordinate convention: screen pixels, x to the right and y downward. A shape of W x H spans the box
// (0, 0)-(W, H) and its vertices lie on pixel corners, so the rectangle (0, 0), (W, 0), (W, H), (0, H)
// covers exactly W x H pixels once turned into a region. Outlines run clockwise as seen on the screen,
// starting at the top. Angles in tenths of a degree (3600 to the turn) count counter-clockwise as seen on
// the screen, that is with the y axis pointing up.

#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <vector>

namespace calidor {
namespace RegionGeometry {
Q_NAMESPACE

/// Shape kinds of the button, in their stored order.
enum TShapeKind {
    bkRect,
    bkRoundRect,
    bkElliptic,
    bkPoly,
    bkPolyStar,
    bkArc,
    bkDonut,
    bkUser,
    bkArrow,
    bkArrow1,
    bkArrow2,
    bkCross,
    bkCutRect,
    bkCross1,
    bkOval
};
Q_ENUM_NS(TShapeKind)

/// A growable list of integer points.
/// The arc's default angle: two-thirds of pi, radians, as the shape has always been drawn.
constexpr double kDefaultArcAngle = 2.0943951023932;

using Tpoints = std::vector<QPoint>;
/// A growable list of integers.
using Tintegers = std::vector<int>;

/// Closed polygons stored one after the other in `points`; `counts` gives the number of points of each.
struct TRgnpoints {
    Tpoints points;
    Tintegers counts;
};

/// An outline: polygons with their nesting level (even levels are solid, odd levels are holes).
struct Shape {
    TRgnpoints polygons;
    Tintegers levels; ///< one per polygon

    int polygonCount() const { return static_cast<int>(polygons.counts.size()); }
};

/// Everything an outline depends on.
struct ShapeParams {
    TShapeKind kind = bkRect;
    int width = 0;            ///< W, pixels
    int height = 0;           ///< H, pixels
    int depth = 2;            ///< bevel width D, pixels
    int peaks = 6;            ///< corners of bkPoly, points of bkPolyStar (3 to 20)
    double radiusRatio = 0.5; ///< inner size of bkDonut and bkArc relative to the outer one (0 to 1)
    double arcAngle = kDefaultArcAngle; ///< angle covered by bkArc, radians
    QString userOutline;                ///< outline of bkUser, in the text format of parseUserOutline
};

/// Upper bound on the points of one curved outline, so that an absurd size cannot exhaust memory.
inline constexpr int kMaxCurvePoints = 8192;

/// The outline of a shape kind. An empty shape (no polygon) when W or H is not positive.
///
/// The kinds with a fixed construction: bkRect is the box; bkElliptic, bkPoly and bkDonut are ellipse
/// points inscribed in the box (bkDonut with a hole of level 1); bkOval is a stadium, lying when W > H and
/// standing otherwise, padded with (0, 0) points up to 8. A stadium too thin for its bevel (less than
/// 2 max(2, D) across) falls back to the box so that the button stays visible and clickable.
///
/// The other kinds: bkRoundRect has corners rounded with a radius of a quarter of the smaller side;
/// bkPolyStar alternates `peaks` outer points with inner points at half the size; bkArc is a piece of a
/// ring covering arcAngle, centred on the top and stretched to fill the box (the inner edge at
/// radiusRatio of the outer one, a pie slice at 0, an elliptic ring at two pi); bkArrow points right with a
/// head as long as half the height; bkArrow1 has a head at both ends; bkArrow2 is a chevron pointing right;
/// bkCross is an upright cross with arms a third of each side wide; bkCutRect is the box with its corners cut
/// at a quarter of the smaller side; bkCross1 is a diagonal cross. bkUser is parsed from userOutline and
/// falls back to the box when that text holds no usable polygon.
Shape outline(const ShapeParams& params);

/// The stadium outline of bkOval, exactly as its construction gives it (the box when too thin).
Shape ovalOutline(int width, int height, int depth);

/// The point of the ellipse inscribed in W x H for the angle t (radians), which starts at the top centre
/// and runs clockwise; `scale` multiplies both half axes about the centre.
QPoint ellipsePoint(double t, int width, int height, double scale = 1.0);

/// Appends a polygon at the given nesting level (0 outermost) to a shape.
void addPolygon(Shape& shape, const Tpoints& points, int level);

/// Parses the bkUser outline text.
///
/// The text is a list of polygons separated by ';'. Each polygon is an optional nesting level followed by
/// ':' and then at least three points "x,y" separated by spaces, in shape pixels:
///     "0,0 100,0 100,60 0,60; 1: 30,15 70,15 70,45 30,45"
/// is a 100 x 60 box with a rectangular hole. A polygon without a level is of level 0 (solid). Spaces are
/// free around every number and separator, and a trailing ';' is allowed. Coordinates must lie within
/// -100000..100000, levels within 0..100, and the whole outline may hold up to 100000 points.
///
/// Returns false, leaving `shape` empty, when the text is empty or not in that format.
bool parseUserOutline(const QString& text, Shape& shape);

/// Moves every vertex of every polygon by `distance` into the filled area (into a solid polygon, out of
/// a hole), keeping the point counts, so that the result lies `distance` inside the outline; sharp corners
/// move by at most twice the distance. A repair pass then stops neighbouring vertices from crossing over.
Shape inset(const Shape& shape, int distance);

/// Light and dark bevel bands between an outer outline and its inset: one quadrilateral (outer i,
/// inner i, inner i + 1, outer i + 1) per edge, sorted by the edge's direction so that the upper left of
/// a solid shape (and the lower right inside a hole) is light.
struct Bands {
    TRgnpoints light;
    TRgnpoints dark;
};
Bands bands(const Shape& outer, const Shape& inner);

/// Turns the points about `centre` by `tenths` of a degree, counter-clockwise on the screen. Points at
/// the origin are not turned (only shifted with the rest), which keeps padding points out of the way.
void rotatePoints(Tpoints& points, QPoint centre, int tenths);

/// The region of nested polygons: each polygon filled with the alternate rule; even levels are added and
/// odd levels removed, level by level from 0 upward.
QRegion regionFromShape(const Shape& shape);

/// The union of polygons, each filled with the alternate rule (the bevel bands).
QRegion regionFromPolygons(const TRgnpoints& polygons);

/// The one-pixel frame just inside a region's border.
QRegion frameRegion(const QRegion& region);

/// The regions a button is drawn with, in the pixels of its control or image: the window (the turned
/// outline), the one-pixel frames, and the light and dark bevel bands outside and inside a border.
struct ButtonRegions {
    QRegion window, outlineFrame, innerFrame, focusFrame;
    QRegion lightOuter, darkOuter, lightInner, darkInner;
};

/// Even-odd test of a point against one polygon; points exactly on an edge may go either way.
bool pointInPolygon(const QPoint* points, int count, double x, double y);

} // namespace RegionGeometry
} // namespace calidor
