// The shaped button as a widget: properties, look, animations, rotation and keyboard behaviour.
#include "widgets/shapedbutton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMetaEnum>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace calidor;

namespace {

const QColor kGrey(128, 128, 128); // Lighter (160, 160, 160), Darker (96, 96, 96)

std::unique_ptr<TShapedButton> makeButton(int w, int h,
                                          RegionGeometry::TShapeKind kind = TShapedButton::bkRect) {
    auto b = std::make_unique<TShapedButton>();
    b->setButtonWidth(w);
    b->setButtonHeight(h);
    b->setButtonKind(kind);
    b->setButtonColor(kGrey);
    return b;
}

// An oval button in a parent, its shape following the control's size.
TShapedButton* ovalIn(QWidget& parent, const QRect& geometry) {
    auto* b = new TShapedButton(&parent);
    b->setGeometry(geometry);
    b->setButtonKind(TShapedButton::bkOval);
    return b;
}

// A picture whose every pixel differs from its neighbours, so that any shift shows.
QImage noise(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x * y * 13) % 256));
    return img;
}

QTimer* animationTimer(TShapedButton& b) {
    return b.findChild<QTimer*>(QStringLiteral("animationTimer"));
}

void tick(QTimer* timer) {
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

} // namespace

// --- Properties ---

TEST(ShapedButtonProperties, DefaultsMatchTheTable) {
    TShapedButton b;
    EXPECT_EQ(b.ButtonKind(), TShapedButton::bkRect);
    EXPECT_EQ(b.Button3DKind(), TShapedButton::dk3D);
    EXPECT_EQ(b.ButtonDepth(), 2);
    EXPECT_EQ(b.ButtonWidth(), b.width());
    EXPECT_EQ(b.ButtonHeight(), b.height());
    EXPECT_EQ(b.CaptionHAlign(), TShapedButton::haCenter);
    EXPECT_EQ(b.BitmapHAlign(), TShapedButton::haLeft);
    EXPECT_EQ(b.BitmapVAlign(), TShapedButton::vaTop);
    EXPECT_EQ(b.GradientKind(), TShapedButton::gkNone);
    EXPECT_EQ(b.GradientAngle(), 450);
    EXPECT_EQ(b.Caption3dKind(), TShapedButton::ckSimple);
    EXPECT_EQ(b.PeaksNumber(), 6);
    EXPECT_DOUBLE_EQ(b.RadiusRatio(), 0.5);
    EXPECT_DOUBLE_EQ(b.ArcAngle(), 2.0943951023932);
    EXPECT_EQ(b.RotatedTime(), 40);
    EXPECT_EQ(b.RotatedAngle(), 40);
    EXPECT_EQ(b.OnEnterInterval(), 40);
    EXPECT_TRUE(b.UserRGNAUTO());
    EXPECT_TRUE(b.ShowFocusRGN());
    EXPECT_FALSE(b.Rotated());
    EXPECT_EQ(b.font().family(), QStringLiteral("Times New Roman"));
    // The enumerations keep their stored order.
    EXPECT_EQ(int(TShapedButton::bkOval), 14);
    EXPECT_EQ(int(TShapedButton::dkNone), 6);
    EXPECT_EQ(int(TShapedButton::vaNone), 3);
    EXPECT_EQ(QMetaEnum::fromType<RegionGeometry::TShapeKind>().keyCount(), 15);
}

TEST(ShapedButtonProperties, OutOfRangeValuesAreIgnored) {
    auto b = makeButton(89, 30);
    b->setMainBitmapGlyphs(3);
    b->setMainBitmapGlyphs(5);
    b->setMainBitmapGlyphs(0);
    EXPECT_EQ(b->MainBitmapGlyphs(), 3);
    b->setPeaksNumber(8);
    b->setPeaksNumber(2);
    b->setPeaksNumber(21);
    EXPECT_EQ(b->PeaksNumber(), 8);
    b->setRadiusRatio(1.5);
    b->setRadiusRatio(-0.1);
    b->setRadiusRatio(std::nan(""));
    EXPECT_DOUBLE_EQ(b->RadiusRatio(), 0.5);
    b->setArcAngle(0.001);
    b->setArcAngle(7.0);
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 2.0943951023932);
    b->setButtonWidth(-1);
    b->setButtonHeight(-1);
    EXPECT_EQ(b->ButtonWidth(), 89);
    EXPECT_EQ(b->ButtonHeight(), 30);
    b->setRotatedTime(-1);
    EXPECT_EQ(b->RotatedTime(), 40);
    b->setOnEnterGlyphs(0);
    b->setOnClickInterval(-5);
    EXPECT_EQ(b->OnEnterGlyphs(), 1);
    EXPECT_EQ(b->OnClickInterval(), 40);
}

TEST(ShapedButtonProperties, AngleIsKeptWithinAHalfTurnEachWay) {
    auto b = makeButton(89, 30);
    b->setButtonAngle(3700);
    EXPECT_EQ(b->ButtonAngle(), 100);
    b->setButtonAngle(-1800);
    EXPECT_EQ(b->ButtonAngle(), 1800);
    b->setButtonAngle(1801);
    EXPECT_EQ(b->ButtonAngle(), -1799);
    b->setButtonAngle(INT_MIN);
    EXPECT_GE(b->ButtonAngle(), -1799);
    EXPECT_LE(b->ButtonAngle(), 1800);
}

TEST(ShapedButtonProperties, FixedCaptionAndGradientTurnWithTheButton) {
    auto b = makeButton(89, 30);
    b->setCaptionFixed(true);
    b->setCaptionAngle(100);
    b->setButtonAngle(300);
    EXPECT_EQ(b->CaptionAngle(), 400);
    EXPECT_EQ(b->GradientAngle(), 450); // not fixed: unchanged
    b->setGradientFixed(true);
    b->setButtonAngle(200);
    EXPECT_EQ(b->GradientAngle(), 350);
    EXPECT_EQ(b->CaptionAngle(), 300);
}

TEST(ShapedButtonProperties, UnchangedValuesDoNotRenderAgainAndLookChangesKeepTheShape) {
    auto b = makeButton(89, 30, TShapedButton::bkOval);
    const qint64 first = b->renderedImage().cacheKey();
    b->setButtonColor(kGrey);
    b->setButtonKind(TShapedButton::bkOval);
    b->setButtonAngle(3600);
    EXPECT_EQ(b->renderedImage().cacheKey(), first);
    const QRegion shape = b->windowRegion();
    b->setButtonColor(Qt::red);
    EXPECT_NE(b->renderedImage().cacheKey(), first);
    EXPECT_EQ(b->windowRegion(), shape);
    b->setPeaksNumber(7); // not used by a stadium
    EXPECT_EQ(b->windowRegion(), shape);
    b->setButtonDepth(5);
    EXPECT_NE(b->windowRegion(), shape); // a thicker bevel leaves fewer points on the half circles
}

// --- Shape and size ---

TEST(ShapedButtonShape, MaskAndHitTestFollowTheOutline) {
    auto b = makeButton(89, 30, TShapedButton::bkOval);
    EXPECT_EQ(b->size(), QSize(89, 30));
    EXPECT_EQ(b->mask(), b->windowRegion());
    EXPECT_FALSE(b->windowRegion().contains(QPoint(1, 1))); // the corner lies outside the stadium
    QSignalSpy clicked(b.get(), &QAbstractButton::clicked);
    QTest::mouseClick(b.get(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(b.get(), Qt::LeftButton, {}, QPoint(44, 15));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(ShapedButtonShape, ControlTakesTheTurnedSizeAndKeepsTheRotationPoint) {
    QWidget parent;
    auto* b = ovalIn(parent, {100, 100, 89, 30});
    b->setRotationCenterFixed(true);
    const QPoint centre = b->geometry().center();
    b->setButtonAngle(900);
    EXPECT_EQ(b->size(), QSize(30, 89));
    EXPECT_LE((b->geometry().center() - centre).manhattanLength(), 2);
    b->setButtonAngle(450);
    EXPECT_EQ(b->size(), QSize(84, 84));
    EXPECT_LE((b->geometry().center() - centre).manhattanLength(), 2);
}

TEST(ShapedButtonShape, ShapeFollowsTheControlUntilItsSizeIsSet) {
    TShapedButton b;
    b.resize(120, 40);
    b.renderedImage();
    EXPECT_EQ(b.ButtonWidth(), 120);
    EXPECT_EQ(b.ButtonHeight(), 40);
    b.setButtonWidth(60);
    EXPECT_EQ(b.width(), 60); // the control follows the shape
    b.resize(80, 50);
    b.renderedImage();
    EXPECT_EQ(b.ButtonWidth(), 60);
    EXPECT_EQ(b.ButtonHeight(), 50);
}

TEST(ShapedButtonShape, EveryKindRendersAtAnySizeAndAngle) {
    const QSize sizes[] = {{0, 0}, {1, 1}, {4, 4}, {5, 5}, {13, 9}, {89, 30}, {30, 89}};
    const int angles[] = {0, 450, 900, -1350};
    for (int kind = TShapedButton::bkRect; kind <= TShapedButton::bkOval; ++kind) {
        for (const QSize size : sizes) {
            for (const int angle : angles) {
                for (const int depth : {2, 5}) {
                    auto b = makeButton(size.width(), size.height(), RegionGeometry::TShapeKind(kind));
                    b->setButtonDepth(depth);
                    b->setButtonAngle(angle);
                    b->setButton3DKind(angle == 900 ? TShapedButton::dk3dBorder : TShapedButton::dk3D);
                    b->setGradientKind(angle == 450 ? TShapedButton::gkCircular : TShapedButton::gkNone);
                    b->setText(QStringLiteral("&Ok"));
                    const QImage img = b->renderedImage();
                    const int limit = 2 * std::max(2, depth) + 1;
                    if (size.width() < limit || size.height() < limit)
                        continue;
                    EXPECT_FALSE(b->windowRegion().isEmpty())
                        << kind << " " << size.width() << "x" << size.height();
                    EXPECT_EQ(img.size(), b->size());
                }
            }
        }
    }
}

TEST(ShapedButtonShape, UserOutlineShapesTheWindowWithItsHoles) {
    auto b = makeButton(100, 60, TShapedButton::bkUser);
    b->setStringButtonRegion(QStringLiteral("0,0 100,0 100,60 0,60; 1: 30,15 70,15 70,45 30,45"));
    EXPECT_TRUE(b->windowRegion().contains(QPoint(10, 10)));
    EXPECT_FALSE(b->windowRegion().contains(QPoint(50, 30)));
    b->setUserRGNAUTO(false); // the outline only shapes the window: the face stays flat
    const QImage img = b->renderedImage();
    EXPECT_EQ(img.pixelColor(50, 1), kGrey);
    b->setStringButtonRegion(QStringLiteral("0,0 broken"));
    EXPECT_EQ(b->windowRegion(), QRegion(0, 0, 100, 60));
}

// --- Look ---

TEST(ShapedButtonLook, PressingShiftsPictureAndCaptionAndExchangesTheBevelColours) {
    auto b = makeButton(120, 50);
    b->setMainBitmap(noise(60, 30));
    b->setBitmapHAlign(TShapedButton::haCenter);
    b->setBitmapVAlign(TShapedButton::vaCenter);
    b->setCaption3dKind(TShapedButton::ckEmbossed);
    b->setText(QStringLiteral("Go"));
    const QImage up = b->renderedImage();
    b->setDown(true);
    const QImage down = b->renderedImage();
    int differing = 0;
    for (int y = 4; y < 50 - 5; ++y)
        for (int x = 4; x < 120 - 5; ++x)
            differing += down.pixel(x + 1, y + 1) != up.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(down, up);
    // Top and left bands are light when up and dark when down; the outermost pixel is the frame.
    EXPECT_EQ(up.pixelColor(60, 1), QColor(160, 160, 160));
    EXPECT_EQ(up.pixelColor(118, 25), QColor(96, 96, 96));
    EXPECT_EQ(down.pixelColor(60, 1), QColor(96, 96, 96));
    EXPECT_EQ(down.pixelColor(118, 25), QColor(160, 160, 160));
    EXPECT_EQ(up.pixelColor(60, 0), QColor(64, 64, 64));
    EXPECT_EQ(down.pixelColor(60, 0), QColor(64, 64, 64));
}

TEST(ShapedButtonLook, DisabledAndDarkColoursFollowTheColourRules) {
    auto b = makeButton(60, 40);
    b->setEnabled(false);
    QImage img = b->renderedImage();
    EXPECT_EQ(img.pixelColor(30, 20), QColor(160, 160, 160)); // Lighter face
    EXPECT_EQ(img.pixelColor(30, 1), QColor(192, 192, 192));  // Lighter(Lighter) band
    EXPECT_EQ(img.pixelColor(30, 0), QColor(96, 96, 96));     // Darker frame, the colour not being dark
    b->setEnabled(true);
    b->setButtonColor(QColor(100, 100, 100)); // dark: frames lighter, not darker
    img = b->renderedImage();
    EXPECT_EQ(img.pixelColor(30, 0), QColor(164, 164, 164));
}

TEST(ShapedButtonLook, LinearGradientAtZeroRunsTopToBottom) {
    auto b = makeButton(60, 31);
    b->setGradientKind(TShapedButton::gkLinear);
    b->setGradientAngle(0);
    b->setButtonColor(QColor(0, 0, 0));
    b->setButtonColor1(QColor(200, 100, 50));
    b->setButton3DKind(TShapedButton::dkNone);
    const QImage img = b->renderedImage();
    EXPECT_EQ(img.pixelColor(30, 0), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(30, 30), QColor(200, 100, 50));  // 31 / 3 rounds to 10 steps
    EXPECT_EQ(img.pixelColor(5, 15), img.pixelColor(55, 15)); // rows are flat
    EXPECT_LT(img.pixelColor(30, 10).red(), img.pixelColor(30, 20).red());
}

// --- Animations ---

TEST(ShapedButtonAnimations, WithoutPicturesEachEndsAtItsSecondTick) {
    enum Trigger { Enter, Leave, Space };
    for (const Trigger trigger : {Enter, Leave, Space}) {
        auto b = makeButton(89, 30, TShapedButton::bkOval);
        b->setOnEnterInterval(100000); // ticks are sent by hand
        b->setOnExitInterval(100000);
        b->setOnClickInterval(100000);
        int entered = 0, exited = 0;
        b->setOnMouseEnter([&](TShapedButton*) { ++entered; });
        b->setOnMouseExit([&](TShapedButton*) { ++exited; });
        if (trigger == Enter) {
            QEnterEvent event(QPointF(40, 15), QPointF(40, 15), QPointF(40, 15));
            QCoreApplication::sendEvent(b.get(), &event);
            EXPECT_TRUE(b->isHot());
        } else if (trigger == Leave) {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(b.get(), &event);
        } else {
            QTest::keyPress(b.get(), Qt::Key_Space);
        }
        EXPECT_EQ(entered, trigger == Enter ? 1 : 0);
        EXPECT_EQ(exited, trigger == Leave ? 1 : 0);
        QTimer* timer = animationTimer(*b);
        ASSERT_NE(timer, nullptr) << trigger;
        EXPECT_TRUE(timer->isActive());
        tick(timer);
        EXPECT_TRUE(timer->isActive()) << trigger;
        tick(timer);
        EXPECT_FALSE(timer->isActive()) << trigger;
        QCoreApplication::sendPostedEvents(b.get(), TShapedButton::kAnimationEndedEvent);
        EXPECT_EQ(animationTimer(*b), nullptr) << trigger; // freed by the animation-ended event
    }
}

TEST(ShapedButtonAnimations, FocusChangesAfterTheFirstPlayThemWithoutTheHotLook) {
    auto b = makeButton(89, 30, TShapedButton::bkOval);
    const auto playing = [&] {
        const QList<QTimer*> timers = b->findChildren<QTimer*>(QStringLiteral("animationTimer"));
        return std::any_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
    };
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QCoreApplication::sendEvent(b.get(), &in);
    EXPECT_FALSE(playing()); // the first focus change plays nothing
    QCoreApplication::sendEvent(b.get(), &out);
    EXPECT_TRUE(playing());
    EXPECT_FALSE(b->isHot());
}

TEST(ShapedButtonAnimations, FramesShowOneByOneAtThePicturePlace) {
    auto b = makeButton(60, 40);
    QImage strip(20, 10, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            strip.setPixel(x, y, qRgb(0, 0, 255));
    b->setOnEnterBitmap(strip);
    b->setOnEnterGlyphs(2);
    b->setOnEnterInterval(100000);
    QEnterEvent event(QPointF(30, 20), QPointF(30, 20), QPointF(30, 20));
    QCoreApplication::sendEvent(b.get(), &event);
    QTimer* timer = animationTimer(*b);
    ASSERT_NE(timer, nullptr);
    const QPoint at(2 + 5, 2 + 5); // the picture's place: haLeft and vaTop give the depth
    tick(timer);
    EXPECT_EQ(b->grab().toImage().pixelColor(at), QColor(Qt::red));
    tick(timer);
    EXPECT_EQ(b->grab().toImage().pixelColor(at), QColor(Qt::blue));
    tick(timer);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(b->grab().toImage().pixelColor(at), kGrey);
    // Leaving stops nothing more and starts the exit animation.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b.get(), &leave);
    EXPECT_FALSE(b->isHot());
}

// --- Keyboard ---

TEST(ShapedButtonKeyboard, SpaceClicksLikeAnyPushButton) {
    auto b = makeButton(89, 30, TShapedButton::bkOval);
    QSignalSpy clicked(b.get(), &QAbstractButton::clicked);
    QTest::keyClick(b.get(), Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(ShapedButtonKeyboard, EnterClicksTheDefaultButtonOfADialog) {
    QDialog dialog;
    auto* b = ovalIn(dialog, {10, 10, 89, 30});
    b->setDefault(true);
    dialog.show();
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(ShapedButtonLook, CustomDrawLeavesTheFaceToOnPaint) {
    auto b = makeButton(60, 40, TShapedButton::bkElliptic);
    b->setCustomDraw(true);
    b->setText(QStringLiteral("Hidden"));
    int painted = 0;
    b->setOnPaint([&](TShapedButton* sender, QPainter& p) {
        EXPECT_EQ(sender, b.get());
        p.fillRect(QRect(20, 10, 5, 5), Qt::green);
        ++painted;
    });
    const QImage shot = b->grab().toImage();
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(shot.pixelColor(22, 12), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(30, 30), kGrey); // no caption, no bevel: only the cleared face
    EXPECT_EQ(shot.pixelColor(30, 1), kGrey);
}

// --- Rotation ---

TEST(ShapedButtonRotation, RotatesInStepsOnTheUserInterfaceThreadUntilSwitchedOff) {
    auto b = makeButton(40, 20, TShapedButton::bkOval);
    b->setRotatedTime(1);
    b->setRotatedAngle(900);
    b->setRotated(true);
    QElapsedTimer clock;
    clock.start();
    while (b->ButtonAngle() == 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_NE(b->ButtonAngle(), 0);
    EXPECT_EQ(b->ButtonAngle() % 900, 0);
    b->setRotated(false);
    QCoreApplication::processEvents(); // a step already posted is dropped
    const int stopped = b->ButtonAngle();
    QTest::qWait(30);
    EXPECT_EQ(b->ButtonAngle(), stopped);
}

TEST(ShapedButtonRotation, DestroyingARotatingButtonNeverDeadlocks) {
    for (int round = 0; round < 30; ++round) {
        auto b = makeButton(30, 16, TShapedButton::bkElliptic);
        b->setRotatedTime(0);
        b->setRotated(true);
        if (round % 3 == 0)
            QCoreApplication::processEvents(); // some steps handled
        QThread::msleep(round % 2);            // the thread is likely waiting for a step to be handled
        b.reset();
    }
    QCoreApplication::processEvents(); // nothing left behind for a destroyed button
    SUCCEED();
}
