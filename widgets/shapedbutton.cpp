#include "widgets/shapedbutton.h"

#include "widgets/buttonlook.h"
#include "widgets/rotatetimer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define CALIDOR_TSAN_ACQUIRE(addr) __tsan_acquire(addr)
#else
#define CALIDOR_TSAN_ACQUIRE(addr) ((void)(addr))
#endif

namespace calidor {

using namespace buttonlook;

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
    m_outline = outline(shapeParams(1));
    m_bevelled = !(m_buttonKind == bkUser && !m_userRgnAuto);
    const long long d = m_buttonDepth;
    m_inner1 = inset(m_outline, clampedInset(d));
    m_focus = inset(m_outline, clampedInset(isBorderKind(m_button3DKind) ? 2 * d + 4 : d + 4));
    m_inner2 = isBorderKind(m_button3DKind) ? inset(m_inner1, clampedInset(d)) : Shape{};
}

// What the outline depends on, with the sizes `ratio` times as large (the control's pixels at 1).
ShapeParams TShapedButton::shapeParams(qreal ratio) const {
    const auto times = [ratio](int v) { return roundEven(v * ratio); };
    return {.kind = m_buttonKind,
            .width = times(m_buttonWidth),
            .height = times(m_buttonHeight),
            .depth = times(m_buttonDepth),
            .peaks = m_peaksNumber,
            .radiusRatio = m_radiusRatio,
            .arcAngle = m_arcAngle,
            .userOutline = m_stringButtonRegion};
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
    const ShapeParams params = shapeParams(ratio);
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

// Entering plays the enter animation in place of the exit one; leaving stops the enter and click
// animations and plays the exit one.
void TShapedButton::playCrossing(bool entering) {
    if (entering) {
        stopAnimation(Exit);
        startAnimation(Enter);
    } else {
        stopAnimation(Enter);
        stopAnimation(Click);
        startAnimation(Exit);
    }
}

// The mouse comes in or goes out: the hot look, the animations, then the handler.
void TShapedButton::mouseCrossed(bool entering) {
    m_hot = entering;
    update();
    playCrossing(entering);
    const TMouseInOutEvent& handler = entering ? m_onMouseEnter : m_onMouseExit;
    if (handler)
        handler(this);
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
void TShapedButton::focusCrossed(bool gained) {
    if (m_focusChangeSeen)
        playCrossing(gained);
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
    // The mouse or the focus crossing the button's edge, once the push button has seen it.
    const bool result = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
        mouseCrossed(event->type() == QEvent::Enter);
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        focusCrossed(event->type() == QEvent::FocusIn);
        break;
    default:
        break;
    }
    return result;
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

} // namespace calidor
