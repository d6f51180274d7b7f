#include "widgets/buttonface.h"

#include "widgets/buttonlook.h"

#include <QFontMetrics>
#include <QPainter>

#include <optional>
#include <vector>

namespace calidor::buttonface {

using namespace buttonlook;

namespace {

// A picture's pixels of the `key` colour cleared (when given), the others ANDed with `andMask` and made
// opaque (when given).
void maskPixels(QImage& image, std::optional<QRgb> key, std::optional<QRgb> andMask) {
    if (!key && !andMask)
        return;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (key && (line[x] | 0xff000000u) == *key)
                line[x] = 0;
            else if (andMask)
                line[x] = (line[x] & *andMask) | 0xff000000u;
        }
    }
}

// The colours of the gradient's lines or circles, from `first` to `second` in `n` steps, or from the
// gradient picture's row made lighter (adjust > 0) or darker (adjust < 0).
std::vector<QRgb> gradientColours(const Face& f, const QColor& first, const QColor& second, int adjust,
                                  int n) {
    std::vector<QRgb> colours(n + 1);
    const QImage& bitmap = f.gradientBitmap;
    const int row =
        (f.gradientBitmapLine >= 0 && f.gradientBitmapLine < bitmap.height()) ? f.gradientBitmapLine : 0;
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
    return colours;
}

// Gradient lines (gkLinear) or circles (gkCircular) over the whole image or over `clip`.
//
// Lines and circles are 3 pixels wide and 3 apart, so each pixel simply takes the colour of the line or
// circle whose centre line is nearest: lines along the direction g, stepped across it from the image
// corner where the step starts (at g = 0 horizontal lines at y = 0, 3, 6, ...); circles about the image
// centre, the outermost at about half the diagonal. Computing it per pixel keeps the bands exact and
// needs no stroking.
void paintGradient(QImage& image, const Face& f, const QColor& first, const QColor& second, int adjust,
                   const QRegion* clip) {
    const int w = image.width(), h = image.height();
    const double spacing = kGradientSpacing * f.ratio;
    const double diagonal = std::hypot(double(w), double(h));
    const bool linear = f.gradient == TShapedButton::gkLinear;
    const double g = f.gradientAngle * kPi / 1800;
    const double sg = std::sin(g), cg = std::cos(g);
    const double extent = linear ? std::abs(w * sg) + std::abs(h * cg) : diagonal / 2;
    const int n = std::min(roundEven(extent / spacing), 1 << 16);
    const std::vector<QRgb> colours = gradientColours(f, first, second, adjust, n);

    const double x0 = linear ? (sg >= 0 ? 0 : w) : w / 2.0;
    const double y0 = linear ? (cg >= 0 ? 0 : h) : h / 2.0;
    const QRegion area = clip ? clip->intersected(image.rect()) : QRegion(image.rect());
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* line = image.scanLine(y);
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

// The background: the gradient, or the face colour (lighter when disabled), or the window colour when
// the face has no colour.
void paintBackground(QPainter& p, QImage& image, const Face& f) {
    const QColor face = solid(f.colour);
    if (f.gradient != TShapedButton::gkNone) {
        const QColor second = solid(f.colour1);
        if (f.enabled)
            paintGradient(image, f, face, second, 0, nullptr);
        else
            paintGradient(image, f, lighter(face), lighter(second), 1, nullptr);
    } else if (!isNoColour(f.colour)) {
        p.fillRect(image.rect(), f.enabled ? face : lighter(face));
    } else {
        p.fillRect(image.rect(), f.window);
    }
}

// The face picture's frame: 1 normally, 2 when disabled (frame 1 ANDed with the disabled face colour
// when there is no second frame), 3 while hot, 4 while pressed, falling back to frame 1 when the strip
// has too few frames. Pressed, the picture moves one pixel right and down.
void paintPicture(QPainter& p, const Face& f) {
    if (f.picture.isNull())
        return;
    const int glyphs = f.glyphs;
    const int fw = f.picture.width() / glyphs, fh = f.picture.height();
    if (fw <= 0)
        return;
    int index = 0;
    bool andFace = false;
    int offset = 0;
    if (!f.enabled) {
        if (glyphs >= 2)
            index = 1;
        else
            andFace = true;
    } else if (f.pressed) {
        index = glyphs == 4 ? 3 : 0;
        offset = 1;
    } else if (f.hot) {
        index = glyphs > 2 ? 2 : 0;
    }
    // The transparent colour is the strip's top-left pixel, whichever frame is drawn.
    QImage frame = f.picture.copy(index * fw, 0, fw, fh).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = f.picture.pixel(0, 0) | 0xff000000u;
    const QRgb faceMask = lighter(solid(f.colour)).rgb();
    maskPixels(frame, f.transparent ? std::optional<QRgb>(key) : std::nullopt,
               andFace ? std::optional<QRgb>(faceMask) : std::nullopt);
    if (f.ratio != 1) {
        p.save();
        p.scale(f.ratio, f.ratio);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    p.drawImage(placed(f.picturePlace, f.size, QSize(fw, fh), f.depth) + QPoint(offset, offset), frame);
    if (f.ratio != 1)
        p.restore();
}

// The top-left corner of the caption's text, of size tw x th, so that the turned text fills its box
// placed by the caption's placement (the box's corner at angle 0). A fixed caption is placed on the
// unturned shape and then turned with it.
QPoint captionStart(const Face& f, double tw, double th) {
    QSize room = f.size;
    int angle = f.captionAngle;
    if (f.captionFixed) {
        room = f.shapeSize;
        angle = addAngle(f.captionAngle, -f.shapeAngle);
    }
    const double b = angle * kPi / 1800;
    const double cb = std::cos(b), sb = std::sin(b);
    const int boxWidth = roundEven(std::abs(cb) * tw + std::abs(sb) * th);
    const int boxHeight = roundEven(std::abs(sb) * tw + std::abs(cb) * th);
    const QPoint corner = placed(f.captionPlace, room, QSize(boxWidth, boxHeight), f.depth + kCaptionMargin);
    const double xs[] = {0, tw * cb, th * sb, tw * cb + th * sb};
    const double ys[] = {0, -tw * sb, th * cb, -tw * sb + th * cb};
    QPoint start(roundEven(corner.x() - *std::min_element(std::begin(xs), std::end(xs))),
                 roundEven(corner.y() - *std::min_element(std::begin(ys), std::end(ys))));
    if (f.captionFixed) {
        RegionGeometry::Tpoints point{start};
        const QSize shape = f.shapeSize;
        rotatePoints(point, QPoint(shape.width() / 2, shape.height() / 2), f.shapeAngle);
        start =
            point[0] + QPoint((f.size.width() - shape.width()) / 2, (f.size.height() - shape.height()) / 2);
    }
    return start;
}

// The caption in up to three passes (effect colours around the text colour), each pass offset by -1, 0
// or +1 pixel on both axes, one more while pressed.
void paintCaption(QPainter& p, const Face& f) {
    if (f.caption.isEmpty())
        return;
    const QColor textColour = f.enabled ? f.text : f.colour;
    if (isNoColour(textColour))
        return;
    const QColor face = solid(f.colour);
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QSize textSize = QFontMetrics(f.font).size(flags, f.caption);
    const double tw = textSize.width(), th = textSize.height();
    const QPoint start = captionStart(f, tw, th);

    struct Pass {
        QColor colour;
        int offset;
    };
    std::vector<Pass> passes;
    switch (f.captionKind) {
    case TShapedButton::ckSimple:
        passes = {{textColour, 0}};
        break;
    case TShapedButton::ckEmbossed:
        passes = {{lighter(face), -1}, {textColour, 0}, {darker(face), 1}};
        break;
    case TShapedButton::ckPressed:
        passes = {{darker(face), -1}, {lighter(face), 1}, {textColour, 0}};
        break;
    }
    const int pressedShift = f.pressed ? 1 : 0;
    p.save();
    if (f.ratio != 1)
        p.scale(f.ratio, f.ratio);
    p.setFont(f.font);
    for (const Pass& pass : passes) {
        const int o = pass.offset + pressedShift;
        p.save();
        p.translate(start + QPoint(o, o));
        p.rotate(-f.captionAngle / 10.0);
        p.setPen(solid(pass.colour));
        p.drawText(QRectF(0, 0, tw, th), flags, f.caption);
        p.restore();
    }
    p.restore();
}

// Bands and frames by bevel style ("hot": the mouse is over the button). Pressed, the outer bands
// exchange their colours.
void paintBevel(QPainter& p, QImage& image, const Face& f) {
    using B = TShapedButton;
    const B::TBevelKind kind = f.bevel;
    const bool outerBands = kind == B::dk3D || kind == B::dk3dsimple || kind == B::dk3dBorder || f.hot;
    const bool innerBands = kind == B::dk3dBorder || (kind == B::dk3dBorderFlatten && f.hot);
    const bool outlineFrame = kind == B::dk3D || kind == B::dk3dBorder ||
                              ((kind == B::dkFlatten || kind == B::dk3dBorderFlatten) && f.hot);
    const bool innerFrame = innerBands;
    const bool gradient = f.gradient != B::gkNone;
    const bool focusFrame = f.focused && f.showFocus && (!gradient || f.enabled);

    const QColor face = solid(f.colour);
    const RegionGeometry::ButtonRegions& regions = f.regions;
    QColor frameColour, focusColour;
    auto paintBands = [&](const QRegion& light, const QRegion& dark, bool exchanged) {
        const QRegion& lightArea = exchanged ? dark : light;
        const QRegion& darkArea = exchanged ? light : dark;
        if (gradient) {
            const QColor second = solid(f.colour1);
            paintGradient(image, f, lighter(face), lighter(second), 1, &lightArea);
            paintGradient(image, f, darker(face), darker(second), -1, &darkArea);
        } else if (f.enabled) {
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
    } else if (f.enabled) {
        frameColour = isDark(face) ? lighter(lighter(face)) : darker(darker(face));
        focusColour = frameColour;
    } else {
        frameColour = isDark(face) ? lighter(lighter(lighter(face))) : darker(face);
        focusColour = frameColour;
    }

    if (outerBands)
        paintBands(regions.lightOuter, regions.darkOuter, f.pressed);
    if (innerBands)
        paintBands(regions.lightInner, regions.darkInner, false);
    if (outlineFrame)
        fillRegion(p, regions.outlineFrame, frameColour);
    if (innerFrame)
        fillRegion(p, regions.innerFrame, frameColour);
    if (focusFrame)
        fillRegion(p, regions.focusFrame, focusColour);
}

} // namespace

QPoint placed(const Placement& placement, QSize room, QSize box, int margin) {
    const auto along = [margin](int start, int centre, int end, int freeAt, int roomLength, int boxLength) {
        if (start)
            return margin;
        if (centre)
            return (roomLength - boxLength) / 2;
        if (end)
            return roomLength - margin - boxLength;
        return freeAt;
    };
    const TShapedButton::THAlign h = placement.h;
    const TShapedButton::TVAlign v = placement.v;
    return {along(h == TShapedButton::haLeft, h == TShapedButton::haCenter, h == TShapedButton::haRight,
                  placement.free.x(), room.width(), box.width()),
            along(v == TShapedButton::vaTop, v == TShapedButton::vaCenter, v == TShapedButton::vaBottom,
                  placement.free.y(), room.height(), box.height())};
}

// The image, in this order:
// 1. sized to the control in the screen's pixels (the control's size times the device pixel ratio),
//    24 bits per pixel; at a ratio other than 1 the regions are those of that finer grid and the
//    picture and caption are drawn scaled, so that edges and text are as sharp as the screen;
// 2. with customDraw only cleared (the owner draws);
// 3. background: the gradient, or the face colour;
// 4. the face picture's frame for the state;
// 5. the caption with its effect;
// 6. bevel bands and frames by the bevel kind, and the focus frame.
QImage render(const Face& f) {
    const bool fine = f.ratio != 1;
    QImage image(fine ? QSize(std::ceil(f.size.width() * f.ratio), std::ceil(f.size.height() * f.ratio))
                      : f.size,
                 QImage::Format_RGB888);
    if (image.isNull())
        return image;
    {
        QPainter p(&image);
        if (f.customDraw) {
            p.fillRect(image.rect(), solid(f.colour));
        } else {
            paintBackground(p, image, f);
            paintPicture(p, f);
            paintCaption(p, f);
            paintBevel(p, image, f);
        }
    }
    if (fine) {
        // The mask is in control pixels and so reaches a little beyond the finer outline: what lies
        // outside the outline is left clear, for the parent to show through.
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : QRegion(image.rect()).subtracted(f.regions.window))
            p.fillRect(r, Qt::transparent);
        p.end();
        image.setDevicePixelRatio(f.ratio);
    }
    return image;
}

QImage preparedPicture(const QImage& picture, bool transparent) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (!transparent || out.isNull())
        return out;
    maskPixels(out, out.pixel(0, 0) | 0xff000000u, std::nullopt);
    return out;
}

} // namespace calidor::buttonface
