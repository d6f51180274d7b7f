#include "shapedbutton.h"

#include "rotatetimer.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define CALIDOR_TSAN_ACQUIRE(addr) __tsan_acquire(addr)
#else
#define CALIDOR_TSAN_ACQUIRE(addr) ((void)(addr))
#endif

using namespace RegionGeometry;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kColourStep = 32;      // what Lighter and Darker add to or take from each channel
constexpr int kDarkBrightness = 361; // a colour is dark below this sum of red, green and blue
constexpr int kGradientSpacing = 3;  // gradient lines and circles: pen width and spacing, pixels
constexpr int kCaptionMargin = 4;    // caption distance from the bevel when aligned to a side
constexpr int kMaxInset = 1 << 22;   // insets beyond any window size mean nothing more

int roundEven(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, double(INT_MIN), double(INT_MAX))));
}

int clampedInset(long long d) {
    return static_cast<int>(std::clamp<long long>(d, -kMaxInset, kMaxInset));
}

// Any angle in tenths, taken back into -1799..1800.
int normalisedAngle(long long tenths) {
    long long a = tenths % 3600;
    if (a > 1800)
        a -= 3600;
    if (a <= -1800)
        a += 3600;
    return static_cast<int>(a);
}

// Adds a change of the button's angle to a caption or gradient angle, which have no range of their own;
// a sum beyond an int is taken back by whole turns.
int addAngle(int angle, int delta) {
    const long long sum = static_cast<long long>(angle) + delta;
    if (sum > INT_MAX || sum < INT_MIN)
        return static_cast<int>(sum % 3600);
    return static_cast<int>(sum);
}

bool isNoColour(const QColor& c) {
    return !c.isValid() || c.alpha() == 0;
}

// The colour as plain red, green and blue; the no-colour value reads as white.
QColor solid(const QColor& c) {
    return isNoColour(c) ? QColor(255, 255, 255) : QColor(c.red(), c.green(), c.blue());
}

QColor lighter(const QColor& c) {
    return QColor(std::min(255, c.red() + kColourStep), std::min(255, c.green() + kColourStep),
                  std::min(255, c.blue() + kColourStep));
}

QColor darker(const QColor& c) {
    return QColor(std::max(0, c.red() - kColourStep), std::max(0, c.green() - kColourStep),
                  std::max(0, c.blue() - kColourStep));
}

bool isDark(const QColor& c) {
    return c.red() + c.green() + c.blue() < kDarkBrightness;
}

void fillRegion(QPainter& p, const QRegion& region, const QColor& colour) {
    for (const QRect& r : region)
        p.fillRect(r, colour);
}

RegionGeometry::Shape turned(RegionGeometry::Shape shape, QPoint centre, int angle, QPoint shift) {
    if (angle != 0)
        rotatePoints(shape.polygons.points, centre, angle);
    for (QPoint& p : shape.polygons.points)
        p += shift;
    return shape;
}

bool isBorderKind(TShapedButton::TBevelKind kind) {
    return kind == TShapedButton::dk3dBorder || kind == TShapedButton::dk3dBorderFlatten;
}

// The frame `width` pixels wide just inside a region's border.
QRegion thickFrame(const QRegion& region, int width) {
    QRegion core = region;
    for (int i = 0; i < width; ++i)
        core = core.intersected(core.translated(1, 0))
                   .intersected(core.translated(-1, 0))
                   .intersected(core.translated(0, 1))
                   .intersected(core.translated(0, -1));
    return region.subtracted(core);
}

RegionGeometry::Shape scaled(RegionGeometry::Shape shape, qreal ratio) {
    for (QPoint& p : shape.polygons.points)
        p = QPoint(roundEven(p.x() * ratio), roundEven(p.y() * ratio));
    return shape;
}

} // namespace

TShapedButton::TShapedButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setFamily(QStringLiteral("Times New Roman"));
    setFont(f);
    m_buttonColor = palette().color(QPalette::Button);
    m_buttonColor1 = palette().color(QPalette::Dark);
    m_buttonWidth = width();
    m_buttonHeight = height();
    m_ownSize = size();
    m_ownPos = pos();
    rebuildShape();
}

TShapedButton::~TShapedButton() {
    // The rotation thread goes first: it only posts to this object, and never waits for it once told to
    // terminate. Animation timers are children and go with the object.
    m_rotateTimer.reset();
}

// ---------------------------------------------------------------------------------------------------
// Shape and regions

// A size given to the control from outside, while the button is not turned, becomes the shape's size in
// the dimensions not set explicitly. Checked before any use of the shape's size, since a hidden widget
// gets its resize event only when shown.
bool TShapedButton::adoptOutsideSize() {
    if (size() == m_ownSize || m_buttonAngle != 0 || (m_widthSet && m_heightSet))
        return false;
    if (!m_widthSet)
        m_buttonWidth = width();
    if (!m_heightSet)
        m_buttonHeight = height();
    m_ownSize = size();
    m_anchorValid = false;
    return true;
}

void TShapedButton::rebuildShape() {
    adoptOutsideSize();
    computeOutlines();
    placeShape(m_buttonAngle, false);
}

// Outlines of the unrotated shape: the outline, the bevel's inner edge (inset by the depth), the
// border's inner edge (inset again) and the focus outline.
void TShapedButton::computeOutlines() {
    ShapeParams params;
    params.kind = m_buttonKind;
    params.width = m_buttonWidth;
    params.height = m_buttonHeight;
    params.depth = m_buttonDepth;
    params.peaks = m_peaksNumber;
    params.radiusRatio = m_radiusRatio;
    params.arcAngle = m_arcAngle;
    params.userOutline = m_stringButtonRegion;
    m_outline = outline(params);
    m_bevelled = !(m_buttonKind == bkUser && !m_userRgnAuto);
    const long long d = m_buttonDepth;
    m_inner1 = inset(m_outline, clampedInset(d));
    m_focus = inset(m_outline, clampedInset(isBorderKind(m_button3DKind) ? 2 * d + 4 : d + 4));
    m_inner2 = isBorderKind(m_button3DKind) ? inset(m_inner1, clampedInset(d)) : Shape{};
}

QSize TShapedButton::rotatedSize(int angle) const {
    const double a = angle * kPi / 1800;
    const double c = std::abs(std::cos(a)), s = std::abs(std::sin(a));
    return {std::clamp(roundEven(c * m_buttonWidth + s * m_buttonHeight), 0, QWIDGETSIZE_MAX),
            std::clamp(roundEven(s * m_buttonWidth + c * m_buttonHeight), 0, QWIDGETSIZE_MAX)};
}

// Where the rotation point lands in a control of the given size with the shape turned by `angle`.
QPoint TShapedButton::rotationPointInControl(int angle, QSize controlSize) const {
    const QPoint centre(m_buttonWidth / 2, m_buttonHeight / 2);
    Tpoints point{m_rotationCenterFixed ? centre : m_rotationPoint};
    if (angle != 0)
        rotatePoints(point, centre, angle);
    return point[0] +
           QPoint((controlSize.width() - m_buttonWidth) / 2, (controlSize.height() - m_buttonHeight) / 2);
}

// The control takes the turned shape's size; when the angle changed, it also moves so that the rotation
// point stays where it was in the parent.
void TShapedButton::placeShape(int oldAngle, bool angleChanged) {
    const QSize needed = rotatedSize(m_buttonAngle);
    QPoint newPos = pos();
    if (angleChanged) {
        if (!m_anchorValid) {
            m_anchor = pos() + rotationPointInControl(oldAngle, size());
            m_anchorValid = true;
        }
        newPos = m_anchor - rotationPointInControl(m_buttonAngle, needed);
    }
    m_ownSize = needed;
    m_ownPos = newPos;
    if (newPos != pos())
        move(newPos);
    if (needed != size())
        resize(needed);
    buildRegions();
}

// Turns the outlines about the shape's centre, centres them in the control and derives the regions.
void TShapedButton::buildRegions() {
    const QSize cs = size();
    const QPoint centre(m_buttonWidth / 2, m_buttonHeight / 2);
    const QPoint shift((cs.width() - m_buttonWidth) / 2, (cs.height() - m_buttonHeight) / 2);
    const Shape outer = turned(m_outline, centre, m_buttonAngle, shift);
    const Shape inner1 = turned(m_inner1, centre, m_buttonAngle, shift);
    const Shape focus = turned(m_focus, centre, m_buttonAngle, shift);

    Regions r;
    r.window = regionFromShape(outer);
    r.focusFrame = frameRegion(regionFromShape(focus));
    if (m_bevelled) {
        const Bands outerBands = bands(outer, inner1);
        r.lightOuter = regionFromPolygons(outerBands.light);
        r.darkOuter = regionFromPolygons(outerBands.dark);
        r.outlineFrame = frameRegion(r.window);
        if (isBorderKind(m_button3DKind)) {
            const Shape inner2 = turned(m_inner2, centre, m_buttonAngle, shift);
            const Bands innerBands = bands(inner1, inner2);
            r.lightInner = regionFromPolygons(innerBands.light);
            r.darkInner = regionFromPolygons(innerBands.dark);
            r.innerFrame = frameRegion(regionFromShape(inner2));
        }
    }
    m_regions = std::move(r);
    m_regionsSize = cs;
    QRegion mask = m_regions.window;
    const qreal ratio = devicePixelRatioF();
    if (ratio != 1) {
        // On a finer screen the mask takes every control pixel that the finer outline touches; the
        // rendered image is clear beyond that outline, so the control is no longer opaque.
        m_deviceRegions = regionsAt(ratio);
        mask = QRegion();
        for (const QRect& d : m_deviceRegions.window) {
            const int left = static_cast<int>(std::floor(d.left() / ratio));
            const int top = static_cast<int>(std::floor(d.top() / ratio));
            const int right = static_cast<int>(std::ceil((d.right() + 1) / ratio));
            const int bottom = static_cast<int>(std::ceil((d.bottom() + 1) / ratio));
            mask += QRect(left, top, right - left, bottom - top);
        }
    }
    m_deviceRegionsKey = {cs, ratio};
    setAttribute(Qt::WA_OpaquePaintEvent, ratio == 1);
    // An empty mask would show the whole rectangle: a region outside the control hides it instead.
    setMask(mask.isEmpty() ? QRegion(-1, -1, 1, 1) : mask);
    invalidate();
}

// The same construction as buildRegions at a finer grid: the shape of a control `ratio` times as large,
// with the bevel, the insets and the frames `ratio` times as wide, so that the edges are as sharp as the
// screen's pixels. A user outline is given in control pixels: its points are scaled.
TShapedButton::Regions TShapedButton::regionsAt(qreal ratio) const {
    const auto times = [ratio](int v) { return roundEven(v * ratio); };
    ShapeParams params;
    params.kind = m_buttonKind;
    params.width = times(m_buttonWidth);
    params.height = times(m_buttonHeight);
    params.depth = times(m_buttonDepth);
    params.peaks = m_peaksNumber;
    params.radiusRatio = m_radiusRatio;
    params.arcAngle = m_arcAngle;
    params.userOutline = m_stringButtonRegion;
    const Shape outlineShape = m_buttonKind == bkUser ? scaled(m_outline, ratio) : outline(params);
    const long long d = times(m_buttonDepth);
    const int gap = times(4);
    const bool border = isBorderKind(m_button3DKind);
    const Shape inner1Shape = inset(outlineShape, clampedInset(d));
    const Shape focusShape = inset(outlineShape, clampedInset(border ? 2 * d + gap : d + gap));

    const QSize cs = size();
    const QPoint centre(params.width / 2, params.height / 2);
    const QPoint shift(times((cs.width() - m_buttonWidth) / 2), times((cs.height() - m_buttonHeight) / 2));
    const Shape outer = turned(outlineShape, centre, m_buttonAngle, shift);
    const Shape inner1 = turned(inner1Shape, centre, m_buttonAngle, shift);
    const Shape focus = turned(focusShape, centre, m_buttonAngle, shift);
    const int line = std::max(1, times(1));

    Regions r;
    r.window = regionFromShape(outer);
    r.focusFrame = thickFrame(regionFromShape(focus), line);
    if (m_bevelled) {
        const Bands outerBands = bands(outer, inner1);
        r.lightOuter = regionFromPolygons(outerBands.light);
        r.darkOuter = regionFromPolygons(outerBands.dark);
        r.outlineFrame = thickFrame(r.window, line);
        if (border) {
            const Shape inner2 = turned(inset(inner1Shape, clampedInset(d)), centre, m_buttonAngle, shift);
            const Bands innerBands = bands(inner1, inner2);
            r.lightInner = regionFromPolygons(innerBands.light);
            r.darkInner = regionFromPolygons(innerBands.dark);
            r.innerFrame = thickFrame(regionFromShape(inner2), line);
        }
    }
    return r;
}

// Follows a size change: one made from outside may resize the shape (see adoptOutsideSize); any other
// only re-centres the shape in the control.
void TShapedButton::syncToSize() {
    if (size() == m_regionsSize)
        return;
    if (adoptOutsideSize()) {
        computeOutlines();
        placeShape(m_buttonAngle, false);
        return;
    }
    buildRegions();
}

QSize TShapedButton::sizeHint() const {
    return rotatedSize(m_buttonAngle);
}

QSize TShapedButton::minimumSizeHint() const {
    return sizeHint();
}

// ---------------------------------------------------------------------------------------------------
// Rendering

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
    const int d = m_buttonDepth, cw = width(), ch = height();
    int x = m_bitmapLeft, y = m_bitmapTop;
    switch (m_bitmapHAlign) {
    case haLeft:
        x = d;
        break;
    case haCenter:
        x = (cw - frameWidth) / 2;
        break;
    case haRight:
        x = cw - d - frameWidth;
        break;
    case haNone:
        break;
    }
    switch (m_bitmapVAlign) {
    case vaTop:
        y = d;
        break;
    case vaCenter:
        y = (ch - frameHeight) / 2;
        break;
    case vaBottom:
        y = ch - d - frameHeight;
        break;
    case vaNone:
        break;
    }
    return {x, y};
}

// A picture ready to draw: with Transparent, the pixels of its top-left pixel's colour are left out.
QImage TShapedButton::prepared(const QImage& picture) const {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (!m_transparent || out.isNull())
        return out;
    const QRgb key = out.pixel(0, 0) | 0xff000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xff000000u) == key)
                line[x] = 0;
    }
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
    if (andFace || m_transparent) {
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                if (m_transparent && (line[x] | 0xff000000u) == key)
                    line[x] = 0;
                else if (andFace)
                    line[x] = (line[x] & faceMask) | 0xff000000u;
            }
        }
    }
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
    const int d = m_buttonDepth;
    int left = m_captionLeft, top = m_captionTop;
    switch (m_captionHAlign) {
    case haLeft:
        left = d + kCaptionMargin;
        break;
    case haCenter:
        left = (boxW - boxWidth) / 2;
        break;
    case haRight:
        left = boxW - d - boxWidth - kCaptionMargin;
        break;
    case haNone:
        break;
    }
    switch (m_captionVAlign) {
    case vaTop:
        top = d + kCaptionMargin;
        break;
    case vaCenter:
        top = (boxH - boxHeight) / 2;
        break;
    case vaBottom:
        top = boxH - d - boxHeight - kCaptionMargin;
        break;
    case vaNone:
        break;
    }
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

// ---------------------------------------------------------------------------------------------------
// Events

void TShapedButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    syncToSize();
}

void TShapedButton::moveEvent(QMoveEvent* event) {
    QPushButton::moveEvent(event);
    if (pos() != m_ownPos)
        m_anchorValid = false; // moved from outside: the rotation point is wherever it now is
}

bool TShapedButton::hitButton(const QPoint& pos) const {
    return m_regions.window.contains(pos);
}

void TShapedButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    m_hot = true;
    update();
    stopAnimation(Exit);
    startAnimation(Enter);
    if (m_onMouseEnter)
        m_onMouseEnter(this);
}

void TShapedButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    m_hot = false;
    update();
    stopAnimation(Enter);
    stopAnimation(Click);
    startAnimation(Exit);
    if (m_onMouseExit)
        m_onMouseExit(this);
}

// A double click reaches here too (as a second press), through QWidget's default handler.
void TShapedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        stopAnimation(Enter);
        startAnimation(Click);
    }
    QPushButton::mousePressEvent(event);
}

void TShapedButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        stopAnimation(Enter);
        startAnimation(Click);
    }
    QPushButton::keyPressEvent(event);
}

// Focus changes after the first one play the animations as the mouse does, without the hot look.
void TShapedButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    if (m_focusChangeSeen) {
        stopAnimation(Exit);
        startAnimation(Enter);
    }
    m_focusChangeSeen = true;
    invalidate();
}

void TShapedButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    if (m_focusChangeSeen) {
        stopAnimation(Enter);
        stopAnimation(Click);
        startAnimation(Exit);
    }
    m_focusChangeSeen = true;
    invalidate();
}

void TShapedButton::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ActivationChange:
        invalidate();
        break;
    default:
        break;
    }
    QPushButton::changeEvent(event);
}

bool TShapedButton::event(QEvent* event) {
    // Moved to a screen of another pixel density: the mask and the finer regions follow it.
    if (event->type() == QEvent::ScreenChangeInternal && m_regionsSize.isValid() &&
        m_deviceRegionsKey.second != devicePixelRatioF())
        buildRegions();
    // A rotation step comes from the rotation thread through Qt's event queue, which ThreadSanitizer
    // cannot see: pair the thread's release of the event with an acquire before reading it.
    CALIDOR_TSAN_ACQUIRE(event);
    if (event->type() == kAnimationEndedEvent) {
        qDeleteAll(m_stoppedTimers);
        m_stoppedTimers.clear();
        return true;
    }
    if (event->type() == TRotateStepEvent::kType) {
        rotateStep(event);
        return true;
    }
    return QPushButton::event(event);
}

// ---------------------------------------------------------------------------------------------------
// Animations

// One animation plays at a time: starting one stops any other.
void TShapedButton::startAnimation(AnimationKind kind) {
    Animation& animation = m_animations[kind];
    if (animation.playing)
        return;
    stopAllAnimations();
    animation.playing = true;
    m_animationKind = kind;
    m_animationFrame = 0;
    m_animationTimer = new QTimer(this);
    m_animationTimer->setObjectName(QStringLiteral("animationTimer"));
    connect(m_animationTimer, &QTimer::timeout, this, &TShapedButton::animationTick);
    m_animationTimer->start(animation.interval);
}

// Ends an animation: repaint without its frame, stop its timer, and have the timer freed by the
// animation-ended event (the timer may be the very sender of the current tick).
void TShapedButton::stopAnimation(AnimationKind kind) {
    Animation& animation = m_animations[kind];
    if (!animation.playing)
        return;
    animation.playing = false;
    m_animationImage = QImage();
    update();
    if (m_animationTimer) {
        m_animationTimer->stop();
        m_stoppedTimers.push_back(m_animationTimer);
        m_animationTimer = nullptr;
    }
    QCoreApplication::postEvent(this, new QEvent(kAnimationEndedEvent));
}

void TShapedButton::stopAllAnimations() {
    for (AnimationKind kind : {Enter, Exit, Click})
        stopAnimation(kind);
}

// Each tick shows the next frame of the strip at the face picture's place, a strip frame wide and at
// most the control's height; the tick after the last frame ends the animation. An empty strip shows
// nothing but takes as many ticks.
void TShapedButton::animationTick() {
    Animation& animation = m_animations[m_animationKind];
    if (!animation.playing)
        return;
    if (m_animationFrame >= animation.glyphs) {
        stopAnimation(m_animationKind);
        return;
    }
    const int fw = animation.strip.width() / animation.glyphs;
    if (fw > 0) {
        const QImage frame =
            animation.strip.copy(m_animationFrame * fw, 0, fw, std::min(height(), animation.strip.height()));
        m_animationImage = prepared(frame);
        m_animationPos = picturePos(fw, animation.strip.height());
    } else {
        m_animationImage = QImage();
    }
    ++m_animationFrame;
    update();
}

// ---------------------------------------------------------------------------------------------------
// Rotation

void TShapedButton::rotateStep(QEvent* event) {
    const auto* step = static_cast<TRotateStepEvent*>(event);
    if (!m_rotateTimer || step->sender() != m_rotateTimer.get())
        return;
    // Acknowledge even if the step throws, or the thread would wait until the button is destroyed.
    struct Acknowledge {
        TRotateTimer* timer;
        std::uint64_t ticket;
        ~Acknowledge() { timer->acknowledge(ticket); }
    } acknowledge{m_rotateTimer.get(), step->ticket()};
    if (m_rotated)
        setButtonAngle(normalisedAngle(static_cast<long long>(m_buttonAngle) + m_rotatedAngle));
}

// ---------------------------------------------------------------------------------------------------
// Setters

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

#define CALIDOR_LOOK_SETTER(Setter, Type, member)                                                            \
    void TShapedButton::Setter(Type value) {                                                                 \
        if (value == member)                                                                                 \
            return;                                                                                          \
        member = value;                                                                                      \
        invalidate();                                                                                        \
    }

CALIDOR_LOOK_SETTER(setCaptionLeft, int, m_captionLeft)
CALIDOR_LOOK_SETTER(setCaptionTop, int, m_captionTop)
CALIDOR_LOOK_SETTER(setCaptionAngle, int, m_captionAngle)
CALIDOR_LOOK_SETTER(setCaptionHAlign, THAlign, m_captionHAlign)
CALIDOR_LOOK_SETTER(setCaptionVAlign, TVAlign, m_captionVAlign)
CALIDOR_LOOK_SETTER(setCaptionFixed, bool, m_captionFixed)
CALIDOR_LOOK_SETTER(setCaption3dKind, TCaption3dKind, m_caption3dKind)
CALIDOR_LOOK_SETTER(setButtonColor, const QColor&, m_buttonColor)
CALIDOR_LOOK_SETTER(setButtonColor1, const QColor&, m_buttonColor1)
CALIDOR_LOOK_SETTER(setGradientKind, TGradientKind, m_gradientKind)
CALIDOR_LOOK_SETTER(setGradientAngle, int, m_gradientAngle)
CALIDOR_LOOK_SETTER(setGradientFixed, bool, m_gradientFixed)
CALIDOR_LOOK_SETTER(setGradientBitmap, const QImage&, m_gradientBitmap)
CALIDOR_LOOK_SETTER(setGradientBitmapLine, int, m_gradientBitmapLine)
CALIDOR_LOOK_SETTER(setMainBitmap, const QImage&, m_mainBitmap)
CALIDOR_LOOK_SETTER(setBitmapLeft, int, m_bitmapLeft)
CALIDOR_LOOK_SETTER(setBitmapTop, int, m_bitmapTop)
CALIDOR_LOOK_SETTER(setBitmapHAlign, THAlign, m_bitmapHAlign)
CALIDOR_LOOK_SETTER(setBitmapVAlign, TVAlign, m_bitmapVAlign)
CALIDOR_LOOK_SETTER(setTransparent, bool, m_transparent)
CALIDOR_LOOK_SETTER(setCustomDraw, bool, m_customDraw)
CALIDOR_LOOK_SETTER(setShowFocusRGN, bool, m_showFocusRgn)

#undef CALIDOR_LOOK_SETTER

void TShapedButton::setMainBitmapGlyphs(int glyphs) {
    if (glyphs < 1 || glyphs > 4 || glyphs == m_mainBitmapGlyphs)
        return;
    m_mainBitmapGlyphs = glyphs;
    invalidate();
}

// Animation strips only show while their animation plays: no re-render needed.
void TShapedButton::setOnEnterBitmap(const QImage& strip) {
    m_animations[Enter].strip = strip;
}
void TShapedButton::setOnExitBitmap(const QImage& strip) {
    m_animations[Exit].strip = strip;
}
void TShapedButton::setOnClickBitmap(const QImage& strip) {
    m_animations[Click].strip = strip;
}

void TShapedButton::setOnEnterGlyphs(int glyphs) {
    if (glyphs >= 1)
        m_animations[Enter].glyphs = glyphs;
}
void TShapedButton::setOnExitGlyphs(int glyphs) {
    if (glyphs >= 1)
        m_animations[Exit].glyphs = glyphs;
}
void TShapedButton::setOnClickGlyphs(int glyphs) {
    if (glyphs >= 1)
        m_animations[Click].glyphs = glyphs;
}

void TShapedButton::setOnEnterInterval(int ms) {
    if (ms >= 0 && !m_animations[Enter].playing)
        m_animations[Enter].interval = ms;
}
void TShapedButton::setOnExitInterval(int ms) {
    if (ms >= 0 && !m_animations[Exit].playing)
        m_animations[Exit].interval = ms;
}
void TShapedButton::setOnClickInterval(int ms) {
    if (ms >= 0 && !m_animations[Click].playing)
        m_animations[Click].interval = ms;
}
