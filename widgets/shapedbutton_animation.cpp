#include "widgets/buttonface.h"
#include "widgets/shapedbutton.h"

#include <QCoreApplication>
#include <QTimer>

namespace calidor {

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
        m_animationImage = buttonface::preparedPicture(frame, m_transparent);
        m_animationPos = buttonface::placed(picturePlacement(), size(), QSize(fw, animation.strip.height()),
                                            m_buttonDepth);
    } else {
        m_animationImage = QImage();
    }
    ++m_animationFrame;
    update();
}

// Animation strips only show while their animation plays: setting one needs no re-render (the strip
// setters are in the header). Glyph counts below 1 are ignored.
void TShapedButton::setAnimationGlyphs(AnimationKind kind, int glyphs) {
    if (glyphs >= 1)
        m_animations[kind].glyphs = glyphs;
}

// Negative intervals are ignored, and an interval does not change while its animation plays.
void TShapedButton::setAnimationInterval(AnimationKind kind, int ms) {
    if (ms >= 0 && !m_animations[kind].playing)
        m_animations[kind].interval = ms;
}

} // namespace calidor
