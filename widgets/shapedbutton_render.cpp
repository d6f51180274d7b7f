#include "widgets/buttonlook.h"
#include "widgets/shapedbutton.h"

#include <QFontMetrics>
#include <QPainter>

namespace calidor {

using namespace buttonlook;

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

// The image, in this order:
// 1. sized to the control in the screen's pixels (the control's size times the device pixel ratio),
//    24 bits per pixel; at a ratio other than 1 the regions are built at that finer grid and the
//    picture and caption are drawn scaled, so that edges and text are as sharp as the screen;
// 2. with CustomDraw only cleared (OnPaint draws);
// 3. background: the gradient, or the face colour;
// 4. the face picture's frame for the state;
// 5. the caption with its effect;
// 6. bevel bands and frames by Button3DKind, and the focus frame.
void TShapedButton::render() {
    const RenderState s = currentState();
    m_rendered = s;
    m_dirty = false;
    const qreal ratio = s.ratio;
    const bool fine = ratio != 1;
    m_image =
        QImage(fine ? QSize(std::ceil(s.size.width() * ratio), std::ceil(s.size.height() * ratio)) : s.size,
               QImage::Format_RGB888);
    if (m_image.isNull())
        return;
    if (fine && m_deviceRegionsKey != std::pair(s.size, ratio)) {
        m_deviceRegions = regionsAt(ratio);
        m_deviceRegionsKey = {s.size, ratio};
    }
    {
        QPainter p(&m_image);
        const QColor face = solid(m_buttonColor);
        if (m_customDraw) {
            p.fillRect(m_image.rect(), face);
        } else {
            if (m_gradientKind != gkNone) {
                const QColor second = solid(m_buttonColor1);
                if (s.enabled)
                    renderGradient(face, second, 0, nullptr, ratio);
                else
                    renderGradient(lighter(face), lighter(second), 1, nullptr, ratio);
            } else if (!isNoColour(m_buttonColor)) {
                p.fillRect(m_image.rect(), s.enabled ? face : lighter(face));
            } else {
                p.fillRect(m_image.rect(), palette().color(QPalette::Window));
            }
            renderFace(p, s);
            renderCaption(p, s);
            renderBevel(p, s);
        }
    }
    if (fine) {
        // The mask is in control pixels and so reaches a little beyond the finer outline: what lies
        // outside the outline is left clear, for the parent to show through.
        m_image = m_image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&m_image);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : QRegion(m_image.rect()).subtracted(m_deviceRegions.window))
            p.fillRect(r, Qt::transparent);
        p.end();
        m_image.setDevicePixelRatio(ratio);
    }
}

// Gradient lines (gkLinear) or circles (gkCircular) from `first` to `second`, or from the colours of the
// gradient picture's row made lighter (adjust > 0) or darker (adjust < 0), over the whole image or over
// `clip`.
//
// Lines and circles are 3 pixels wide and 3 apart, so each pixel simply takes the colour of the line or
// circle whose centre line is nearest: lines along the direction g, stepped across it from the image
// corner where the step starts (at g = 0 horizontal lines at y = 0, 3, 6, ...); circles about the image
// centre, the outermost at about half the diagonal. Computing it per pixel keeps the bands exact and
// needs no stroking.
void TShapedButton::renderGradient(const QColor& first, const QColor& second, int adjust, const QRegion* clip,
                                   qreal ratio) {
    const int w = m_image.width(), h = m_image.height();
    const double spacing = kGradientSpacing * ratio;
    const double diagonal = std::hypot(double(w), double(h));
    const bool linear = m_gradientKind == gkLinear;
    const double g = m_gradientAngle * kPi / 1800;
    const double sg = std::sin(g), cg = std::cos(g);
    const double extent = linear ? std::abs(w * sg) + std::abs(h * cg) : diagonal / 2;
    const int n = std::min(roundEven(extent / spacing), 1 << 16);

    std::vector<QRgb> colours(n + 1);
    const QImage& bitmap = m_gradientBitmap;
    const int row =
        (m_gradientBitmapLine >= 0 && m_gradientBitmapLine < bitmap.height()) ? m_gradientBitmapLine : 0;
    for (int k = 0; k <= n; ++k) {
        QColor c = first;
        if (!bitmap.isNull()) {
            const int column =
                n > 0 ? static_cast<int>(static_cast<long long>(k) * (bitmap.width() - 1) / n) : 0;
            c = solid(bitmap.pixelColor(column, row));
            c = adjust > 0 ? lighter(c) : adjust < 0 ? darker(c) : c;
        } else if (n > 0) {
            c = QColor(first.red() + k * (second.red() - first.red()) / n,
                       first.green() + k * (second.green() - first.green()) / n,
                       first.blue() + k * (second.blue() - first.blue()) / n);
        }
        colours[k] = c.rgb();
    }

    const double x0 = linear ? (sg >= 0 ? 0 : w) : w / 2.0;
    const double y0 = linear ? (cg >= 0 ? 0 : h) : h / 2.0;
    const QRegion area = clip ? clip->intersected(m_image.rect()) : QRegion(m_image.rect());
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* line = m_image.scanLine(y);
            const double py = y + 0.5 - y0;
            for (int x = r.left(); x <= r.right(); ++x) {
                const double px = x + 0.5 - x0;
                const double along = linear ? px * sg + py * cg : std::hypot(px, py);
                const int k = roundEven(along / spacing);
                if (!linear && k > n)
                    continue; // beyond the outermost circle
                const QRgb c = colours[std::clamp(k, 0, n)];
                line[3 * x] = uchar(qRed(c));
                line[3 * x + 1] = uchar(qGreen(c));
                line[3 * x + 2] = uchar(qBlue(c));
            }
        }
    }
}

QPoint TShapedButton::picturePos(int frameWidth, int frameHeight) const {
    return alignedPos(m_bitmapHAlign, m_bitmapVAlign, QPoint(m_bitmapLeft, m_bitmapTop), size(),
                      QSize(frameWidth, frameHeight), m_buttonDepth);
}

// A picture ready to draw: with Transparent, the pixels of its top-left pixel's colour are left out.
QImage TShapedButton::prepared(const QImage& picture) const {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (!m_transparent || out.isNull())
        return out;
    maskPixels(out, out.pixel(0, 0) | 0xff000000u, std::nullopt);
    return out;
}

// The face picture's frame: 1 normally, 2 when disabled (frame 1 ANDed with the disabled face colour
// when there is no second frame), 3 while hot, 4 while pressed, falling back to frame 1 when the strip
// has too few frames. Pressed, the picture moves one pixel right and down.
void TShapedButton::renderFace(QPainter& p, const RenderState& s) {
    if (m_mainBitmap.isNull())
        return;
    const int glyphs = m_mainBitmapGlyphs;
    const int fw = m_mainBitmap.width() / glyphs, fh = m_mainBitmap.height();
    if (fw <= 0)
        return;
    int index = 0;
    bool andFace = false;
    int offset = 0;
    if (!s.enabled) {
        if (glyphs >= 2)
            index = 1;
        else
            andFace = true;
    } else if (s.pressed) {
        index = glyphs == 4 ? 3 : 0;
        offset = 1;
    } else if (s.hot) {
        index = glyphs > 2 ? 2 : 0;
    }
    // The transparent colour is the strip's top-left pixel, whichever frame is drawn.
    QImage frame = m_mainBitmap.copy(index * fw, 0, fw, fh).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = m_mainBitmap.pixel(0, 0) | 0xff000000u;
    const QRgb faceMask = lighter(solid(m_buttonColor)).rgb();
    maskPixels(frame, m_transparent ? std::optional<QRgb>(key) : std::nullopt,
               andFace ? std::optional<QRgb>(faceMask) : std::nullopt);
    if (s.ratio != 1) {
        p.save();
        p.scale(s.ratio, s.ratio);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    p.drawImage(picturePos(fw, fh) + QPoint(offset, offset), frame);
    if (s.ratio != 1)
        p.restore();
}

// The caption in up to three passes (effect colours around the text colour), each pass offset by -1, 0
// or +1 pixel on both axes, one more while pressed. "&&" shows "&", a single "&" underlines the next
// character.
void TShapedButton::renderCaption(QPainter& p, const RenderState& s) {
    if (s.text.isEmpty())
        return;
    const QColor textColour = s.enabled ? palette().color(QPalette::ButtonText) : m_buttonColor;
    if (isNoColour(textColour))
        return;
    const QColor face = solid(m_buttonColor);
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QFontMetrics metrics(font());
    const QSize textSize = metrics.size(flags, s.text);
    const double tw = textSize.width(), th = textSize.height();

    // With CaptionFixed the caption is placed on the unrotated shape and then turned with it.
    int boxW = width(), boxH = height(), angle = m_captionAngle;
    if (m_captionFixed) {
        boxW = m_buttonWidth;
        boxH = m_buttonHeight;
        angle = addAngle(m_captionAngle, -m_buttonAngle);
    }
    const double b = angle * kPi / 1800;
    const double cb = std::cos(b), sb = std::sin(b);
    const int boxWidth = roundEven(std::abs(cb) * tw + std::abs(sb) * th);
    const int boxHeight = roundEven(std::abs(sb) * tw + std::abs(cb) * th);
    const QPoint corner =
        alignedPos(m_captionHAlign, m_captionVAlign, QPoint(m_captionLeft, m_captionTop), QSize(boxW, boxH),
                   QSize(boxWidth, boxHeight), m_buttonDepth + kCaptionMargin);
    const int left = corner.x(), top = corner.y();
    // The text's top-left corner, so that the turned text fills its box (the box's corner at angle 0).
    const double xs[] = {0, tw * cb, th * sb, tw * cb + th * sb};
    const double ys[] = {0, -tw * sb, th * cb, -tw * sb + th * cb};
    QPoint start(roundEven(left - *std::min_element(std::begin(xs), std::end(xs))),
                 roundEven(top - *std::min_element(std::begin(ys), std::end(ys))));
    if (m_captionFixed) {
        Tpoints point{start};
        rotatePoints(point, QPoint(m_buttonWidth / 2, m_buttonHeight / 2), m_buttonAngle);
        start = point[0] + QPoint((width() - m_buttonWidth) / 2, (height() - m_buttonHeight) / 2);
    }

    struct Pass {
        QColor colour;
        int offset;
    };
    std::vector<Pass> passes;
    switch (m_caption3dKind) {
    case ckSimple:
        passes = {{textColour, 0}};
        break;
    case ckEmbossed:
        passes = {{lighter(face), -1}, {textColour, 0}, {darker(face), 1}};
        break;
    case ckPressed:
        passes = {{darker(face), -1}, {lighter(face), 1}, {textColour, 0}};
        break;
    }
    const int pressedShift = s.pressed ? 1 : 0;
    p.save();
    if (s.ratio != 1)
        p.scale(s.ratio, s.ratio);
    p.setFont(font());
    for (const Pass& pass : passes) {
        const int o = pass.offset + pressedShift;
        p.save();
        p.translate(start + QPoint(o, o));
        p.rotate(-m_captionAngle / 10.0);
        p.setPen(solid(pass.colour));
        p.drawText(QRectF(0, 0, tw, th), flags, s.text);
        p.restore();
    }
    p.restore();
}

// Bands and frames by bevel style ("hot": the mouse is over the button). Pressed, the outer bands
// exchange their colours.
void TShapedButton::renderBevel(QPainter& p, const RenderState& s) {
    const TBevelKind kind = m_button3DKind;
    const bool outerBands = kind == dk3D || kind == dk3dsimple || kind == dk3dBorder || s.hot;
    const bool innerBands = kind == dk3dBorder || (kind == dk3dBorderFlatten && s.hot);
    const bool outlineFrame =
        kind == dk3D || kind == dk3dBorder || ((kind == dkFlatten || kind == dk3dBorderFlatten) && s.hot);
    const bool innerFrame = innerBands;
    const bool gradient = m_gradientKind != gkNone;
    const bool focusFrame = s.focused && m_showFocusRgn && (!gradient || s.enabled);

    const QColor face = solid(m_buttonColor);
    const Regions& regions = s.ratio == 1 ? m_regions : m_deviceRegions;
    QColor frameColour, focusColour;
    auto paintBands = [&](const QRegion& light, const QRegion& dark, bool exchanged) {
        const QRegion& lightArea = exchanged ? dark : light;
        const QRegion& darkArea = exchanged ? light : dark;
        if (gradient) {
            const QColor second = solid(m_buttonColor1);
            renderGradient(lighter(face), lighter(second), 1, &lightArea, s.ratio);
            renderGradient(darker(face), darker(second), -1, &darkArea, s.ratio);
        } else if (s.enabled) {
            fillRegion(p, lightArea, lighter(face));
            fillRegion(p, darkArea, darker(face));
        } else {
            fillRegion(p, lightArea, lighter(lighter(face)));
            fillRegion(p, darkArea, darker(lighter(face)));
        }
    };
    if (gradient) {
        frameColour = darker(darker(face));
        focusColour = darker(face);
    } else if (s.enabled) {
        frameColour = isDark(face) ? lighter(lighter(face)) : darker(darker(face));
        focusColour = frameColour;
    } else {
        frameColour = isDark(face) ? lighter(lighter(lighter(face))) : darker(face);
        focusColour = frameColour;
    }

    if (outerBands)
        paintBands(regions.lightOuter, regions.darkOuter, s.pressed);
    if (innerBands)
        paintBands(regions.lightInner, regions.darkInner, false);
    if (outlineFrame)
        fillRegion(p, regions.outlineFrame, frameColour);
    if (innerFrame)
        fillRegion(p, regions.innerFrame, frameColour);
    if (focusFrame)
        fillRegion(p, regions.focusFrame, focusColour);
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
