#pragma once

// What the shaped button's files share: number and colour helpers of its drawing and placement.

#include "widgets/regiongeometry.h"
#include "widgets/shapedbutton.h"

#include <QColor>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace calidor::buttonlook {

using namespace RegionGeometry;

constexpr double kPi = std::numbers::pi;
constexpr int kColourStep = 32;      // what Lighter and Darker add to or take from each channel
constexpr int kDarkBrightness = 361; // a colour is dark below this sum of red, green and blue
constexpr int kGradientSpacing = 3;  // gradient lines and circles: pen width and spacing, pixels
constexpr int kCaptionMargin = 4;    // caption distance from the bevel when aligned to a side
constexpr int kMaxInset = 1 << 22;   // insets beyond any window size mean nothing more

inline int roundEven(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, double(INT_MIN), double(INT_MAX))));
}

inline int clampedInset(long long d) {
    return static_cast<int>(std::clamp<long long>(d, -kMaxInset, kMaxInset));
}

// Any angle in tenths, taken back into -1799..1800.
inline int normalisedAngle(long long tenths) {
    long long a = tenths % 3600;
    if (a > 1800)
        a -= 3600;
    if (a <= -1800)
        a += 3600;
    return static_cast<int>(a);
}

// Adds a change of the button's angle to a caption or gradient angle, which have no range of their own;
// a sum beyond an int is taken back by whole turns.
inline int addAngle(int angle, int delta) {
    const long long sum = static_cast<long long>(angle) + delta;
    if (sum > INT_MAX || sum < INT_MIN)
        return static_cast<int>(sum % 3600);
    return static_cast<int>(sum);
}

inline bool isNoColour(const QColor& c) {
    return !c.isValid() || c.alpha() == 0;
}

// The colour as plain red, green and blue; the no-colour value reads as white.
inline QColor solid(const QColor& c) {
    return isNoColour(c) ? QColor(255, 255, 255) : QColor(c.red(), c.green(), c.blue());
}

inline QColor lighter(const QColor& c) {
    return QColor(std::min(255, c.red() + kColourStep), std::min(255, c.green() + kColourStep),
                  std::min(255, c.blue() + kColourStep));
}

inline QColor darker(const QColor& c) {
    return QColor(std::max(0, c.red() - kColourStep), std::max(0, c.green() - kColourStep),
                  std::max(0, c.blue() - kColourStep));
}

inline bool isDark(const QColor& c) {
    return c.red() + c.green() + c.blue() < kDarkBrightness;
}

inline void fillRegion(QPainter& p, const QRegion& region, const QColor& colour) {
    for (const QRect& r : region)
        p.fillRect(r, colour);
}

inline RegionGeometry::Shape turned(RegionGeometry::Shape shape, QPoint centre, int angle, QPoint shift) {
    if (angle != 0)
        rotatePoints(shape.polygons.points, centre, angle);
    for (QPoint& p : shape.polygons.points)
        p += shift;
    return shape;
}

inline bool isBorderKind(TShapedButton::TBevelKind kind) {
    return kind == TShapedButton::dk3dBorder || kind == TShapedButton::dk3dBorderFlatten;
}

// The frame `width` pixels wide just inside a region's border.
inline QRegion thickFrame(const QRegion& region, int width) {
    QRegion core = region;
    for (int i = 0; i < width; ++i)
        core = core.intersected(core.translated(1, 0))
                   .intersected(core.translated(-1, 0))
                   .intersected(core.translated(0, 1))
                   .intersected(core.translated(0, -1));
    return region.subtracted(core);
}

inline RegionGeometry::Shape scaled(RegionGeometry::Shape shape, qreal ratio) {
    for (QPoint& p : shape.polygons.points)
        p = QPoint(roundEven(p.x() * ratio), roundEven(p.y() * ratio));
    return shape;
}

} // namespace calidor::buttonlook
