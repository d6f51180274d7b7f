#include "widgets/buttonlook.h"
#include "widgets/rotatetimer.h"
#include "widgets/shapedbutton.h"

namespace calidor {

using namespace buttonlook;

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

void TShapedButton::setButtonWidth(int width) {
    if (width < 0)
        return;
    m_widthSet = true;
    if (width == m_buttonWidth)
        return;
    m_buttonWidth = width;
    m_anchorValid = false;
    rebuildShape();
}

void TShapedButton::setButtonHeight(int height) {
    if (height < 0)
        return;
    m_heightSet = true;
    if (height == m_buttonHeight)
        return;
    m_buttonHeight = height;
    m_anchorValid = false;
    rebuildShape();
}

void TShapedButton::setButtonKind(TShapeKind kind) {
    if (kind == m_buttonKind)
        return;
    m_buttonKind = kind;
    rebuildShape();
}

void TShapedButton::setButton3DKind(TBevelKind kind) {
    if (kind == m_button3DKind)
        return;
    const bool outlinesChange = isBorderKind(kind) != isBorderKind(m_button3DKind);
    m_button3DKind = kind;
    if (outlinesChange)
        rebuildShape(); // the focus outline and the inner border depend on it
    else
        invalidate();
}

void TShapedButton::setButtonDepth(int depth) {
    if (depth == m_buttonDepth)
        return;
    m_buttonDepth = depth;
    rebuildShape();
}

void TShapedButton::setPeaksNumber(int peaks) {
    if (peaks < 3 || peaks > 20 || peaks == m_peaksNumber)
        return;
    m_peaksNumber = peaks;
    if (m_buttonKind == bkPoly || m_buttonKind == bkPolyStar)
        rebuildShape();
}

void TShapedButton::setRadiusRatio(double ratio) {
    if (!(ratio >= 0 && ratio <= 1) || ratio == m_radiusRatio)
        return;
    m_radiusRatio = ratio;
    if (m_buttonKind == bkDonut || m_buttonKind == bkArc)
        rebuildShape();
}

void TShapedButton::setArcAngle(double radians) {
    if (!(radians >= 0.01 && radians <= 2 * kPi) || radians == m_arcAngle)
        return;
    m_arcAngle = radians;
    if (m_buttonKind == bkArc)
        rebuildShape();
}

void TShapedButton::setStringButtonRegion(const QString& text) {
    if (text == m_stringButtonRegion)
        return;
    m_stringButtonRegion = text;
    if (m_buttonKind == bkUser)
        rebuildShape();
}

void TShapedButton::setUserRGNAUTO(bool on) {
    if (on == m_userRgnAuto)
        return;
    m_userRgnAuto = on;
    if (m_buttonKind == bkUser)
        rebuildShape();
}

void TShapedButton::setRotationPointX(int x) {
    if (x == m_rotationPoint.x())
        return;
    m_rotationPoint.setX(x);
    m_rotationCenterFixed = false;
    m_anchorValid = false;
}

void TShapedButton::setRotationPointY(int y) {
    if (y == m_rotationPoint.y())
        return;
    m_rotationPoint.setY(y);
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

void TShapedButton::setRotatedAngle(int tenths) {
    m_rotatedAngle = tenths;
}

// Look properties: a change only re-renders.
void TShapedButton::setCaptionLeft(int value) {
    if (assignChanged(m_captionLeft, value))
        invalidate();
}
void TShapedButton::setCaptionTop(int value) {
    if (assignChanged(m_captionTop, value))
        invalidate();
}
void TShapedButton::setCaptionAngle(int value) {
    if (assignChanged(m_captionAngle, value))
        invalidate();
}
void TShapedButton::setCaptionHAlign(THAlign value) {
    if (assignChanged(m_captionHAlign, value))
        invalidate();
}
void TShapedButton::setCaptionVAlign(TVAlign value) {
    if (assignChanged(m_captionVAlign, value))
        invalidate();
}
void TShapedButton::setCaptionFixed(bool value) {
    if (assignChanged(m_captionFixed, value))
        invalidate();
}
void TShapedButton::setCaption3dKind(TCaption3dKind value) {
    if (assignChanged(m_caption3dKind, value))
        invalidate();
}
void TShapedButton::setButtonColor(const QColor& value) {
    if (assignChanged(m_buttonColor, value))
        invalidate();
}
void TShapedButton::setButtonColor1(const QColor& value) {
    if (assignChanged(m_buttonColor1, value))
        invalidate();
}
void TShapedButton::setGradientKind(TGradientKind value) {
    if (assignChanged(m_gradientKind, value))
        invalidate();
}
void TShapedButton::setGradientAngle(int value) {
    if (assignChanged(m_gradientAngle, value))
        invalidate();
}
void TShapedButton::setGradientFixed(bool value) {
    if (assignChanged(m_gradientFixed, value))
        invalidate();
}
void TShapedButton::setGradientBitmap(const QImage& value) {
    if (assignChanged(m_gradientBitmap, value))
        invalidate();
}
void TShapedButton::setGradientBitmapLine(int value) {
    if (assignChanged(m_gradientBitmapLine, value))
        invalidate();
}
void TShapedButton::setMainBitmap(const QImage& value) {
    if (assignChanged(m_mainBitmap, value))
        invalidate();
}
void TShapedButton::setBitmapLeft(int value) {
    if (assignChanged(m_bitmapLeft, value))
        invalidate();
}
void TShapedButton::setBitmapTop(int value) {
    if (assignChanged(m_bitmapTop, value))
        invalidate();
}
void TShapedButton::setBitmapHAlign(THAlign value) {
    if (assignChanged(m_bitmapHAlign, value))
        invalidate();
}
void TShapedButton::setBitmapVAlign(TVAlign value) {
    if (assignChanged(m_bitmapVAlign, value))
        invalidate();
}
void TShapedButton::setTransparent(bool value) {
    if (assignChanged(m_transparent, value))
        invalidate();
}
void TShapedButton::setCustomDraw(bool value) {
    if (assignChanged(m_customDraw, value))
        invalidate();
}
void TShapedButton::setShowFocusRGN(bool value) {
    if (assignChanged(m_showFocusRgn, value))
        invalidate();
}

void TShapedButton::setMainBitmapGlyphs(int glyphs) {
    if (glyphs < 1 || glyphs > 4 || glyphs == m_mainBitmapGlyphs)
        return;
    m_mainBitmapGlyphs = glyphs;
    invalidate();
}

} // namespace calidor
