#include "widgets/buttonface.h"
#include "widgets/shapedbutton.h"

#include <QPainter>

namespace calidor {

void TShapedButton::invalidate() {
    m_dirty = true;
    update();
}

TShapedButton::RenderState TShapedButton::currentState() const {
    return {isDown(), m_hot, isEnabled(), hasFocus(), text(), size(), devicePixelRatioF()};
}

QImage TShapedButton::renderedImage() {
    syncToSize();
    if (m_dirty || currentState() != m_rendered)
        render();
    return m_image;
}

// The face is drawn from a plain value (see buttonface.h); the regions at the screen's finer grid, when
// the ratio is not 1, are built once for each size and ratio.
void TShapedButton::render() {
    const RenderState s = currentState();
    m_rendered = s;
    m_dirty = false;
    if (s.ratio != 1 && !s.size.isEmpty() && m_deviceRegionsKey != std::pair(s.size, s.ratio)) {
        m_deviceRegions = regionsAt(s.ratio);
        m_deviceRegionsKey = {s.size, s.ratio};
    }
    m_image = buttonface::render(face(s));
}

buttonface::Placement TShapedButton::picturePlacement() const {
    return {m_bitmapHAlign, m_bitmapVAlign, QPoint(m_bitmapLeft, m_bitmapTop)};
}

// Everything the face shows: the properties, the palette's colours and the state.
buttonface::Face TShapedButton::face(const RenderState& s) const {
    return {.size = s.size,
            .ratio = s.ratio,
            .regions = s.ratio == 1 ? m_regions : m_deviceRegions,
            .pressed = s.pressed,
            .hot = s.hot,
            .enabled = s.enabled,
            .focused = s.focused,
            .customDraw = m_customDraw,
            .colour = m_buttonColor,
            .colour1 = m_buttonColor1,
            .window = palette().color(QPalette::Window),
            .text = palette().color(QPalette::ButtonText),
            .gradient = m_gradientKind,
            .gradientAngle = m_gradientAngle,
            .gradientBitmap = m_gradientBitmap,
            .gradientBitmapLine = m_gradientBitmapLine,
            .bevel = m_button3DKind,
            .depth = m_buttonDepth,
            .showFocus = m_showFocusRgn,
            .picture = m_mainBitmap,
            .glyphs = m_mainBitmapGlyphs,
            .picturePlace = picturePlacement(),
            .transparent = m_transparent,
            .caption = s.text,
            .font = font(),
            .captionPlace = {m_captionHAlign, m_captionVAlign, QPoint(m_captionLeft, m_captionTop)},
            .captionAngle = m_captionAngle,
            .captionKind = m_caption3dKind,
            .captionFixed = m_captionFixed,
            .shapeSize = QSize(m_buttonWidth, m_buttonHeight),
            .shapeAngle = m_buttonAngle};
}

void TShapedButton::paintEvent(QPaintEvent*) {
    syncToSize();
    if (m_dirty || currentState() != m_rendered)
        render();
    QPainter p(this);
    p.drawImage(0, 0, m_image);
    if (!m_animationImage.isNull())
        p.drawImage(m_animationPos, m_animationImage);
    if (m_onPaint)
        m_onPaint(this, p);
}

} // namespace calidor
