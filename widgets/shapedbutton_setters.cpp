#include "widgets/buttonlook.h"
#include "widgets/rotatetimer.h"
#include "widgets/shapedbutton.h"

#include <algorithm>

namespace calidor {

using namespace buttonlook;

// The setters that do more than store a value and redo the image or the outline; the others are
// written in the header through `assign`.

TShapedButton::Redo TShapedButton::outlineIfKind(std::initializer_list<TShapeKind> kinds) const {
    return std::find(kinds.begin(), kinds.end(), m_buttonKind) != kinds.end() ? &TShapedButton::rebuildShape
                                                                              : nullptr;
}

void TShapedButton::setButtonAngle(int tenths) {
    const int angle = normalisedAngle(tenths);
    if (angle == m_buttonAngle)
        return;
    if (adoptOutsideSize())
        computeOutlines();
    const int delta = angle - m_buttonAngle;
    if (m_captionFixed)
        m_captionAngle = addAngle(m_captionAngle, delta);
    if (m_gradientFixed)
        m_gradientAngle = addAngle(m_gradientAngle, delta);
    const int old = m_buttonAngle;
    m_buttonAngle = angle;
    placeShape(old, true);
}

// A width or height of the unturned shape; once set, it no longer follows the control's size.
void TShapedButton::setShapeSide(int& side, bool& sideSet, int value) {
    if (value < 0)
        return;
    sideSet = true;
    if (value == side)
        return;
    side = value;
    m_anchorValid = false;
    rebuildShape();
}

void TShapedButton::setButtonWidth(int width) {
    setShapeSide(m_buttonWidth, m_widthSet, width);
}

void TShapedButton::setButtonHeight(int height) {
    setShapeSide(m_buttonHeight, m_heightSet, height);
}

void TShapedButton::setButton3DKind(TBevelKind kind) {
    // The focus outline and the inner border depend on whether the kind has a border.
    const bool outlinesChange = isBorderKind(kind) != isBorderKind(m_button3DKind);
    assign(m_button3DKind, kind, outlinesChange ? &TShapedButton::rebuildShape : &TShapedButton::invalidate);
}

void TShapedButton::setPeaksNumber(int peaks) {
    if (peaks >= 3 && peaks <= 20)
        assign(m_peaksNumber, peaks, outlineIfKind({bkPoly, bkPolyStar}));
}

void TShapedButton::setRadiusRatio(double ratio) {
    if (ratio >= 0 && ratio <= 1)
        assign(m_radiusRatio, ratio, outlineIfKind({bkDonut, bkArc}));
}

void TShapedButton::setArcAngle(double radians) {
    if (radians >= 0.01 && radians <= 2 * kPi)
        assign(m_arcAngle, radians, outlineIfKind({bkArc}));
}

// Moving the rotation point lets it turn about that point again instead of the centre.
void TShapedButton::setRotationPointX(int x) {
    if (x != m_rotationPoint.x())
        setRotationPoint(QPoint(x, m_rotationPoint.y()));
}

void TShapedButton::setRotationPointY(int y) {
    if (y != m_rotationPoint.y())
        setRotationPoint(QPoint(m_rotationPoint.x(), y));
}

void TShapedButton::setRotationPoint(QPoint point) {
    m_rotationPoint = point;
    m_rotationCenterFixed = false;
    m_anchorValid = false;
}

void TShapedButton::setRotationCenterFixed(bool on) {
    if (on == m_rotationCenterFixed)
        return;
    m_rotationCenterFixed = on;
    m_anchorValid = false;
}

void TShapedButton::setRotated(bool on) {
    if (on == m_rotated)
        return;
    m_rotated = on;
    if (on && !m_rotateTimer)
        m_rotateTimer = std::make_unique<TRotateTimer>(this, m_rotatedTime);
    if (m_rotateTimer)
        m_rotateTimer->setSuspended(!on);
}

void TShapedButton::setRotatedTime(int ms) {
    if (ms < 0 || ms == m_rotatedTime)
        return;
    m_rotatedTime = ms;
    if (m_rotateTimer)
        m_rotateTimer->setInterval(ms);
}

void TShapedButton::setMainBitmapGlyphs(int glyphs) {
    if (glyphs >= 1 && glyphs <= 4)
        assign(m_mainBitmapGlyphs, glyphs);
}

} // namespace calidor
