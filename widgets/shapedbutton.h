#pragma once

#include "widgets/regiongeometry.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPushButton>
#include <QRegion>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QTimer;

namespace calidor {
class TRotateTimer;
namespace buttonface {
struct Face;
struct Placement;
} // namespace buttonface

/// A push button with a non-rectangular window: a bevel that follows the outline, a face painted from a
/// picture over a colour or a gradient, a caption with a 3D effect, optional picture animations on mouse
/// enter, mouse exit and click, and an optional continuous rotation.
///
/// It is a QPushButton, so keyboard and click behaviour are the standard ones (space, Enter as default
/// button, focus, tab order, mnemonics, `clicked`); the caption is `text()`, the font `font()` (set to
/// "Times New Roman" at construction) and the text colour the palette's ButtonText. The window is masked
/// to the outline and clicks outside the outline do not count.
///
/// Naming: every property is a Qt property whose getter carries the property's name (`ButtonAngle()`)
/// and whose setter is "set" followed by it (`setButtonAngle()`). Setters ignore unchanged values and the
/// out-of-range values listed below; those that change the outline rebuild it, the others only re-render.
/// The three callbacks follow the same rule (`onMouseEnter()` / `setOnMouseEnter()`, `OnPaint()` /
/// `setOnPaint()`) and are plain std::function values, empty by default.
///
/// Colours: an invalid or fully transparent QColor is the "no colour" value. Angles in tenths of a degree
/// count counter-clockwise on the screen.
///
/// Size: ButtonWidth and ButtonHeight are the unrotated shape's size. Until set, each follows the
/// control's size whenever the control is resized from outside while the button is not turned (so that
/// `setGeometry` alone also shapes the button). The control's size
/// follows the rotation (the bounding box of the turned shape) and its position moves so that the
/// rotation point keeps its place in the parent.
///
/// Rendering goes to an off-screen 24-bit image, rendered again only when a property, the caption, the
/// font, the size or the pressed, hot (mouse over), enabled or focus state has changed; a paint copies it.
class TShapedButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ButtonAngle READ ButtonAngle WRITE setButtonAngle)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE setButtonWidth)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE setButtonHeight)
    Q_PROPERTY(int CaptionTop READ CaptionTop WRITE setCaptionTop)
    Q_PROPERTY(int CaptionLeft READ CaptionLeft WRITE setCaptionLeft)
    Q_PROPERTY(int CaptionAngle READ CaptionAngle WRITE setCaptionAngle)
    Q_PROPERTY(QColor ButtonColor READ ButtonColor WRITE setButtonColor)
    Q_PROPERTY(RegionGeometry::TShapeKind ButtonKind READ ButtonKind WRITE setButtonKind)
    Q_PROPERTY(TBevelKind Button3DKind READ Button3DKind WRITE setButton3DKind)
    Q_PROPERTY(int ButtonDepth READ ButtonDepth WRITE setButtonDepth)
    Q_PROPERTY(THAlign CaptionHAlign READ CaptionHAlign WRITE setCaptionHAlign)
    Q_PROPERTY(TVAlign CaptionVAlign READ CaptionVAlign WRITE setCaptionVAlign)
    Q_PROPERTY(QImage MainBitmap READ MainBitmap WRITE setMainBitmap)
    Q_PROPERTY(int MainBitmapGlyphs READ MainBitmapGlyphs WRITE setMainBitmapGlyphs)
    Q_PROPERTY(QImage OnEnterBitmap READ OnEnterBitmap WRITE setOnEnterBitmap)
    Q_PROPERTY(int OnEnterGlyphs READ OnEnterGlyphs WRITE setOnEnterGlyphs)
    Q_PROPERTY(int OnEnterInterval READ OnEnterInterval WRITE setOnEnterInterval)
    Q_PROPERTY(QImage OnExitBitmap READ OnExitBitmap WRITE setOnExitBitmap)
    Q_PROPERTY(int OnExitGlyphs READ OnExitGlyphs WRITE setOnExitGlyphs)
    Q_PROPERTY(int OnExitInterval READ OnExitInterval WRITE setOnExitInterval)
    Q_PROPERTY(QImage OnClickBitmap READ OnClickBitmap WRITE setOnClickBitmap)
    Q_PROPERTY(int OnClickGlyphs READ OnClickGlyphs WRITE setOnClickGlyphs)
    Q_PROPERTY(int OnClickInterval READ OnClickInterval WRITE setOnClickInterval)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(int PeaksNumber READ PeaksNumber WRITE setPeaksNumber)
    Q_PROPERTY(int BitmapTop READ BitmapTop WRITE setBitmapTop)
    Q_PROPERTY(int BitmapLeft READ BitmapLeft WRITE setBitmapLeft)
    Q_PROPERTY(THAlign BitmapHAlign READ BitmapHAlign WRITE setBitmapHAlign)
    Q_PROPERTY(TVAlign BitmapVAlign READ BitmapVAlign WRITE setBitmapVAlign)
    Q_PROPERTY(QString StringButtonRegion READ StringButtonRegion WRITE setStringButtonRegion)
    Q_PROPERTY(bool UserRGNAUTO READ UserRGNAUTO WRITE setUserRGNAUTO)
    Q_PROPERTY(int RotationPointX READ RotationPointX WRITE setRotationPointX)
    Q_PROPERTY(int RotationPointY READ RotationPointY WRITE setRotationPointY)
    Q_PROPERTY(bool RotationCenterFixed READ RotationCenterFixed WRITE setRotationCenterFixed)
    Q_PROPERTY(bool Rotated READ Rotated WRITE setRotated)
    Q_PROPERTY(int RotatedTime READ RotatedTime WRITE setRotatedTime)
    Q_PROPERTY(int RotatedAngle READ RotatedAngle WRITE setRotatedAngle)
    Q_PROPERTY(bool CaptionFixed READ CaptionFixed WRITE setCaptionFixed)
    Q_PROPERTY(QColor ButtonColor1 READ ButtonColor1 WRITE setButtonColor1)
    Q_PROPERTY(TGradientKind GradientKind READ GradientKind WRITE setGradientKind)
    Q_PROPERTY(int GradientAngle READ GradientAngle WRITE setGradientAngle)
    Q_PROPERTY(bool GradientFixed READ GradientFixed WRITE setGradientFixed)
    Q_PROPERTY(QImage GradientBitmap READ GradientBitmap WRITE setGradientBitmap)
    Q_PROPERTY(int GradientBitmapLine READ GradientBitmapLine WRITE setGradientBitmapLine)
    Q_PROPERTY(TCaption3dKind Caption3dKind READ Caption3dKind WRITE setCaption3dKind)
    Q_PROPERTY(double RadiusRatio READ RadiusRatio WRITE setRadiusRatio)
    Q_PROPERTY(double ArcAngle READ ArcAngle WRITE setArcAngle)
    Q_PROPERTY(bool CustomDraw READ CustomDraw WRITE setCustomDraw)
    Q_PROPERTY(bool ShowFocusRGN READ ShowFocusRGN WRITE setShowFocusRGN)

public:
    using TShapeKind = RegionGeometry::TShapeKind;
    using enum RegionGeometry::TShapeKind;

    /// Bevel styles; "hot" means the mouse is over the button.
    enum TBevelKind { dk3D, dkFlatten, dk3dsimple, dkFlattenSimple, dk3dBorder, dk3dBorderFlatten, dkNone };
    Q_ENUM(TBevelKind)
    /// Background gradients.
    enum TGradientKind { gkNone, gkLinear, gkCircular };
    Q_ENUM(TGradientKind)
    /// Caption effects.
    enum TCaption3dKind { ckSimple, ckEmbossed, ckPressed };
    Q_ENUM(TCaption3dKind)
    /// Placement across (haNone: at the given left).
    enum THAlign { haLeft, haCenter, haRight, haNone };
    Q_ENUM(THAlign)
    /// Placement down (vaNone: at the given top).
    enum TVAlign { vaTop, vaCenter, vaBottom, vaNone };
    Q_ENUM(TVAlign)

    /// Called with the button when the mouse enters or leaves it.
    using TMouseInOutEvent = std::function<void(TShapedButton*)>;
    /// Called after each paint, with a painter open on the button (with CustomDraw, it draws the face).
    using TPaintEvent = std::function<void(TShapedButton*, QPainter&)>;

    /// Posted to itself when an animation has ended; its handler frees the animation's timer.
    static constexpr QEvent::Type kAnimationEndedEvent = QEvent::Type(45157);

    explicit TShapedButton(QWidget* parent = nullptr);
    ~TShapedButton() override;

    // --- Shape ---
    /// Rotation of the whole button, tenths; any value is taken back into -1799..1800.
    int ButtonAngle() const { return m_buttonAngle; }
    void setButtonAngle(int tenths);
    /// Width of the unrotated shape, pixels; negative values are ignored.
    int ButtonWidth() const { return m_buttonWidth; }
    void setButtonWidth(int width);
    /// Height of the unrotated shape, pixels; negative values are ignored.
    int ButtonHeight() const { return m_buttonHeight; }
    void setButtonHeight(int height);
    /// Shape kind (default bkRect).
    TShapeKind ButtonKind() const { return m_buttonKind; }
    void setButtonKind(TShapeKind kind) { assign(m_buttonKind, kind, &TShapedButton::rebuildShape); }
    /// Bevel style (default dk3D).
    TBevelKind Button3DKind() const { return m_button3DKind; }
    void setButton3DKind(TBevelKind kind);
    /// Bevel width, pixels (default 2).
    int ButtonDepth() const { return m_buttonDepth; }
    void setButtonDepth(int depth) { assign(m_buttonDepth, depth, &TShapedButton::rebuildShape); }
    /// Corners of bkPoly, points of bkPolyStar; only 3 to 20 (default 6).
    int PeaksNumber() const { return m_peaksNumber; }
    void setPeaksNumber(int peaks);
    /// Inner size of bkDonut and bkArc relative to the outer one; only 0 to 1 (default 0.5).
    double RadiusRatio() const { return m_radiusRatio; }
    void setRadiusRatio(double ratio);
    /// Angle covered by bkArc, radians; only 0.01 to two pi (default two thirds of pi).
    double ArcAngle() const { return m_arcAngle; }
    void setArcAngle(double radians);
    /// Outline of bkUser, in the text format of RegionGeometry::parseUserOutline, e.g.
    /// "0,0 100,0 100,60 0,60; 1: 30,15 70,15 70,45 30,45" (a box with a hole). Empty or malformed text
    /// gives the plain box.
    QString StringButtonRegion() const { return m_stringButtonRegion; }
    void setStringButtonRegion(const QString& text) {
        assign(m_stringButtonRegion, text, outlineIfKind({bkUser}));
    }
    /// For bkUser: bevel and frames from the user outline like the other kinds (default true); when off,
    /// the user outline only shapes the window, without bevel.
    bool UserRGNAUTO() const { return m_userRgnAuto; }
    void setUserRGNAUTO(bool on) { assign(m_userRgnAuto, on, outlineIfKind({bkUser})); }

    // --- Rotation ---
    /// Centre of rotation in shape coordinates; setting it turns RotationCenterFixed off.
    int RotationPointX() const { return m_rotationPoint.x(); }
    void setRotationPointX(int x);
    int RotationPointY() const { return m_rotationPoint.y(); }
    void setRotationPointY(int y);
    /// Turn about the shape's centre instead of the rotation point (default false).
    bool RotationCenterFixed() const { return m_rotationCenterFixed; }
    void setRotationCenterFixed(bool on);
    /// Continuous rotation on or off (default false).
    bool Rotated() const { return m_rotated; }
    void setRotated(bool on);
    /// Milliseconds between rotation steps (default 40); negative values are ignored.
    int RotatedTime() const { return m_rotatedTime; }
    void setRotatedTime(int ms);
    /// Tenths added to ButtonAngle at each step (default 40).
    int RotatedAngle() const { return m_rotatedAngle; }
    void setRotatedAngle(int tenths) { m_rotatedAngle = tenths; }

    // --- Caption ---
    /// Caption left when CaptionHAlign is haNone, pixels (default 5).
    int CaptionLeft() const { return m_captionLeft; }
    void setCaptionLeft(int left) { assign(m_captionLeft, left); }
    /// Caption top when CaptionVAlign is vaNone, pixels (default 5).
    int CaptionTop() const { return m_captionTop; }
    void setCaptionTop(int top) { assign(m_captionTop, top); }
    /// Caption direction, tenths (default 0).
    int CaptionAngle() const { return m_captionAngle; }
    void setCaptionAngle(int tenths) { assign(m_captionAngle, tenths); }
    THAlign CaptionHAlign() const { return m_captionHAlign; }
    void setCaptionHAlign(THAlign align) { assign(m_captionHAlign, align); }
    TVAlign CaptionVAlign() const { return m_captionVAlign; }
    void setCaptionVAlign(TVAlign align) { assign(m_captionVAlign, align); }
    /// The caption turns with the button: changes of ButtonAngle are added to CaptionAngle.
    bool CaptionFixed() const { return m_captionFixed; }
    void setCaptionFixed(bool on) { assign(m_captionFixed, on); }
    /// Caption effect (default ckSimple).
    TCaption3dKind Caption3dKind() const { return m_caption3dKind; }
    void setCaption3dKind(TCaption3dKind kind) { assign(m_caption3dKind, kind); }

    // --- Colours and gradient ---
    /// Face colour, base of the bevel and caption-effect colours (default: the palette's Button). With
    /// no colour the face is not filled with it (the palette's Window shows) and white stands as the base.
    QColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor& colour) { assign(m_buttonColor, colour); }
    /// Second colour of gradients (default: the palette's Dark, the button shadow).
    QColor ButtonColor1() const { return m_buttonColor1; }
    void setButtonColor1(const QColor& colour) { assign(m_buttonColor1, colour); }
    TGradientKind GradientKind() const { return m_gradientKind; }
    void setGradientKind(TGradientKind kind) { assign(m_gradientKind, kind); }
    /// Direction of the lines of gkLinear, tenths (default 450; 0 gives horizontal lines, top to bottom).
    int GradientAngle() const { return m_gradientAngle; }
    void setGradientAngle(int tenths) { assign(m_gradientAngle, tenths); }
    /// The gradient turns with the button: changes of ButtonAngle are added to GradientAngle.
    bool GradientFixed() const { return m_gradientFixed; }
    void setGradientFixed(bool on) { assign(m_gradientFixed, on); }
    /// When not empty, gradient colours are read from one row of this picture.
    QImage GradientBitmap() const { return m_gradientBitmap; }
    void setGradientBitmap(const QImage& picture) { assign(m_gradientBitmap, picture); }
    /// That row; a row outside the picture means row 0.
    int GradientBitmapLine() const { return m_gradientBitmapLine; }
    void setGradientBitmapLine(int row) { assign(m_gradientBitmapLine, row); }

    // --- Pictures ---
    /// Face picture: a strip of MainBitmapGlyphs equal frames side by side (normal, disabled, hot,
    /// pressed).
    QImage MainBitmap() const { return m_mainBitmap; }
    void setMainBitmap(const QImage& picture) { assign(m_mainBitmap, picture); }
    /// Frames in MainBitmap; only 1 to 4 (default 1).
    int MainBitmapGlyphs() const { return m_mainBitmapGlyphs; }
    void setMainBitmapGlyphs(int glyphs);
    /// Picture left when BitmapHAlign is haNone (default 5), top when BitmapVAlign is vaNone (default 5).
    int BitmapLeft() const { return m_bitmapLeft; }
    void setBitmapLeft(int left) { assign(m_bitmapLeft, left); }
    int BitmapTop() const { return m_bitmapTop; }
    void setBitmapTop(int top) { assign(m_bitmapTop, top); }
    THAlign BitmapHAlign() const { return m_bitmapHAlign; }
    void setBitmapHAlign(THAlign align) { assign(m_bitmapHAlign, align); }
    TVAlign BitmapVAlign() const { return m_bitmapVAlign; }
    void setBitmapVAlign(TVAlign align) { assign(m_bitmapVAlign, align); }
    /// Pictures are drawn without the pixels of their top-left pixel's colour.
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on) { assign(m_transparent, on); }

    /// Animation strips played on mouse enter, mouse exit and click (or focus gain, loss), one frame per
    /// tick of the interval. Glyph counts below 1 and negative intervals are ignored; an interval does
    /// not change while its animation plays.
    QImage OnEnterBitmap() const { return m_animations[Enter].strip; }
    void setOnEnterBitmap(const QImage& strip) { m_animations[Enter].strip = strip; }
    int OnEnterGlyphs() const { return m_animations[Enter].glyphs; }
    void setOnEnterGlyphs(int glyphs) { setAnimationGlyphs(Enter, glyphs); }
    int OnEnterInterval() const { return m_animations[Enter].interval; }
    void setOnEnterInterval(int ms) { setAnimationInterval(Enter, ms); }
    QImage OnExitBitmap() const { return m_animations[Exit].strip; }
    void setOnExitBitmap(const QImage& strip) { m_animations[Exit].strip = strip; }
    int OnExitGlyphs() const { return m_animations[Exit].glyphs; }
    void setOnExitGlyphs(int glyphs) { setAnimationGlyphs(Exit, glyphs); }
    int OnExitInterval() const { return m_animations[Exit].interval; }
    void setOnExitInterval(int ms) { setAnimationInterval(Exit, ms); }
    QImage OnClickBitmap() const { return m_animations[Click].strip; }
    void setOnClickBitmap(const QImage& strip) { m_animations[Click].strip = strip; }
    int OnClickGlyphs() const { return m_animations[Click].glyphs; }
    void setOnClickGlyphs(int glyphs) { setAnimationGlyphs(Click, glyphs); }
    int OnClickInterval() const { return m_animations[Click].interval; }
    void setOnClickInterval(int ms) { setAnimationInterval(Click, ms); }

    // --- Drawing ---
    /// Skip the button's own drawing: the face is only cleared and OnPaint draws.
    bool CustomDraw() const { return m_customDraw; }
    void setCustomDraw(bool on) { assign(m_customDraw, on); }
    /// Draw the focus outline while the button has the focus (default true).
    bool ShowFocusRGN() const { return m_showFocusRgn; }
    void setShowFocusRGN(bool on) { assign(m_showFocusRgn, on); }

    // --- Callbacks ---
    TMouseInOutEvent onMouseEnter() const { return m_onMouseEnter; }
    void setOnMouseEnter(TMouseInOutEvent handler) { m_onMouseEnter = std::move(handler); }
    TMouseInOutEvent onMouseExit() const { return m_onMouseExit; }
    void setOnMouseExit(TMouseInOutEvent handler) { m_onMouseExit = std::move(handler); }
    TPaintEvent OnPaint() const { return m_onPaint; }
    void setOnPaint(TPaintEvent handler) { m_onPaint = std::move(handler); }

    // --- Read-only state ---
    /// The window region (the outline, turned and centred in the control).
    QRegion windowRegion() const { return m_regions.window; }
    /// The rendered image (24-bit), as the next paint will copy it.
    QImage renderedImage();
    /// Whether the mouse is over the button.
    bool isHot() const { return m_hot; }

    /// The turned shape's size: what the control's size follows.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    enum AnimationKind { Enter, Exit, Click };
    struct Animation {
        QImage strip;
        int glyphs = 1;
        int interval = 40; // ms
        bool playing = false;
    };
    using Regions = RegionGeometry::ButtonRegions;
    // What the rendered image shows, beyond the properties.
    struct RenderState {
        bool pressed = false, hot = false, enabled = true, focused = false;
        QString text;
        QSize size;
        qreal ratio = 1; // device pixels per control pixel
        bool operator==(const RenderState&) const = default;
    };

    // What a property change redoes beyond storing the value: invalidate (the image only), rebuildShape
    // (the outline and the regions too), or nothing (a null pointer).
    using Redo = void (TShapedButton::*)();
    // Stores a property's new value and, when it changed, redoes what depends on it. Says whether it
    // changed.
    template <class T> bool assign(T& member, const T& value, Redo redo = &TShapedButton::invalidate) {
        if (value == member)
            return false;
        member = value;
        if (redo)
            (this->*redo)();
        return true;
    }
    // For a value that only some kinds use: the outline is rebuilt when the button is of one of them.
    Redo outlineIfKind(std::initializer_list<TShapeKind> kinds) const;
    void setShapeSide(int& side, bool& sideSet, int value);
    void setRotationPoint(QPoint point);

    bool adoptOutsideSize();
    void rebuildShape();
    void computeOutlines();
    RegionGeometry::ShapeParams shapeParams(qreal ratio) const;
    void placeShape(int oldAngle, bool angleChanged);
    void buildRegions();
    /// The regions drawn into an image of `ratio` device pixels per control pixel (ratio != 1).
    Regions regionsAt(qreal ratio) const;
    void syncToSize();
    QPoint rotationPointInControl(int angle, QSize controlSize) const;
    QSize rotatedSize(int angle) const;
    void invalidate();
    RenderState currentState() const;
    void render();
    buttonface::Face face(const RenderState& s) const;
    buttonface::Placement picturePlacement() const;

    void playCrossing(bool entering);
    void mouseCrossed(bool entering);
    void focusCrossed(bool gained);
    void setAnimationGlyphs(AnimationKind kind, int glyphs);
    void setAnimationInterval(AnimationKind kind, int ms);
    void startAnimation(AnimationKind kind);
    void stopAnimation(AnimationKind kind);
    void stopAllAnimations();
    void animationTick();
    void rotateStep(QEvent* event);

    // Shape
    int m_buttonAngle = 0;
    int m_buttonWidth = 0;
    int m_buttonHeight = 0;
    bool m_widthSet = false; // ButtonWidth set explicitly: it no longer follows the control
    bool m_heightSet = false;
    TShapeKind m_buttonKind = RegionGeometry::bkRect;
    TBevelKind m_button3DKind = dk3D;
    int m_buttonDepth = 2;
    int m_peaksNumber = 6;
    double m_radiusRatio = 0.5;
    double m_arcAngle = RegionGeometry::kDefaultArcAngle;
    QString m_stringButtonRegion;
    bool m_userRgnAuto = true;
    // Rotation
    QPoint m_rotationPoint;
    bool m_rotationCenterFixed = false;
    bool m_rotated = false;
    int m_rotatedTime = 40;
    int m_rotatedAngle = 40;
    // Caption
    int m_captionTop = 5;
    int m_captionLeft = 5;
    int m_captionAngle = 0;
    THAlign m_captionHAlign = haCenter;
    TVAlign m_captionVAlign = vaCenter;
    bool m_captionFixed = false;
    TCaption3dKind m_caption3dKind = ckSimple;
    // Colours
    QColor m_buttonColor;
    QColor m_buttonColor1;
    TGradientKind m_gradientKind = gkNone;
    int m_gradientAngle = 450;
    bool m_gradientFixed = false;
    QImage m_gradientBitmap;
    int m_gradientBitmapLine = 0;
    // Pictures
    QImage m_mainBitmap;
    int m_mainBitmapGlyphs = 1;
    int m_bitmapTop = 5;
    int m_bitmapLeft = 5;
    THAlign m_bitmapHAlign = haLeft;
    TVAlign m_bitmapVAlign = vaTop;
    bool m_transparent = false;
    std::array<Animation, 3> m_animations;
    // Drawing
    bool m_customDraw = false;
    bool m_showFocusRgn = true;
    TMouseInOutEvent m_onMouseEnter;
    TMouseInOutEvent m_onMouseExit;
    TPaintEvent m_onPaint;

    // Outlines of the unrotated shape (outline, inner bevel edge, inner border edge, focus outline).
    RegionGeometry::Shape m_outline, m_inner1, m_inner2, m_focus;
    bool m_bevelled = true;
    Regions m_regions;
    QSize m_regionsSize{-1, -1}; // control size the regions were built for
    QSize m_ownSize{-1, -1};     // last size and position that the button gave itself
    QPoint m_ownPos;
    QPoint m_anchor; // where the rotation point sits in the parent
    bool m_anchorValid = false;

    QImage m_image;          // device pixels, with the ratio it was rendered at
    Regions m_deviceRegions; // the regions at the ratio of m_deviceRegionsKey, when not 1
    std::pair<QSize, qreal> m_deviceRegionsKey{QSize(-1, -1), 0}; // control size and ratio they are for
    RenderState m_rendered;
    bool m_dirty = true;
    bool m_hot = false;
    bool m_focusChangeSeen = false;

    QTimer* m_animationTimer = nullptr;
    std::vector<QTimer*> m_stoppedTimers; // freed by the animation-ended event
    AnimationKind m_animationKind = Enter;
    int m_animationFrame = 0;
    QImage m_animationImage; // frame on show, null when none
    QPoint m_animationPos;

    std::unique_ptr<TRotateTimer> m_rotateTimer;
};

} // namespace calidor
