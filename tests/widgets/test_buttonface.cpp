// The shaped button's face drawn from a plain value, with no widget created.
#include "widgets/buttonface.h"

#include <gtest/gtest.h>

using namespace calidor;
using namespace calidor::buttonface;
using B = TShapedButton;

namespace {

const QColor kFace(128, 128, 128);
const QColor kText(0, 0, 160);

// A flat 120 x 40 box face of kFace with the window region given, at `ratio` device pixels per pixel.
Face boxFace(qreal ratio = 1) {
    Face f;
    f.size = QSize(120, 40);
    f.ratio = ratio;
    f.regions.window = QRegion(0, 0, int(120 * ratio), int(40 * ratio), QRegion::Ellipse);
    f.colour = kFace;
    f.text = kText;
    f.bevel = B::dkNone;
    f.font.setPixelSize(14);
    return f;
}

// Whether any pixel in `area` has the colour.
bool shows(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(FaceDrawing, PlacedAgainstASideCentredOrFree) {
    const QSize room(100, 50), box(20, 10);
    EXPECT_EQ(placed({B::haLeft, B::vaTop, {}}, room, box, 3), QPoint(3, 3));
    EXPECT_EQ(placed({B::haCenter, B::vaCenter, {}}, room, box, 3), QPoint(40, 20));
    EXPECT_EQ(placed({B::haRight, B::vaBottom, {}}, room, box, 3), QPoint(77, 37));
    EXPECT_EQ(placed({B::haNone, B::vaNone, {7, -2}}, room, box, 3), QPoint(7, -2));
}

TEST(FaceDrawing, FaceColourInsideAndClearOutsideTheWindowOnAFinerScreen) {
    const QImage image = render(boxFace(2));
    ASSERT_EQ(image.size(), QSize(240, 80));
    EXPECT_EQ(image.devicePixelRatio(), 2);
    EXPECT_EQ(image.pixelColor(120, 40), kFace);
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0); // the corner lies outside the ellipse
    Face empty = boxFace(2);
    empty.size = QSize(0, 40);
    EXPECT_TRUE(render(empty).isNull());
}

TEST(FaceDrawing, CaptionGoesWhereItIsAligned) {
    Face f = boxFace();
    f.caption = QStringLiteral("WWW");
    f.captionPlace = {B::haLeft, B::vaCenter, {}};
    const QImage left = render(f);
    EXPECT_TRUE(shows(left, QRect(0, 0, 40, 40), kText));
    EXPECT_FALSE(shows(left, QRect(80, 0, 40, 40), kText));
    f.captionPlace.h = B::haRight;
    const QImage right = render(f);
    EXPECT_FALSE(shows(right, QRect(0, 0, 40, 40), kText));
    EXPECT_TRUE(shows(right, QRect(80, 0, 40, 40), kText));
    f.enabled = false; // the disabled caption takes the face colour: it vanishes on a flat face
    EXPECT_FALSE(shows(render(f), QRect(0, 0, 120, 40), kText));
}

TEST(FaceDrawing, PressedFaceMovesItsPictureAndExchangesTheBevelBands) {
    Face f = boxFace();
    f.picture = QImage(10, 10, QImage::Format_RGB32);
    f.picture.fill(Qt::red);
    f.picturePlace = {B::haNone, B::vaNone, {50, 15}};
    f.bevel = B::dk3dsimple;
    f.regions.lightOuter = QRegion(0, 0, 120, 2);
    f.regions.darkOuter = QRegion(0, 38, 120, 2);
    const QImage normal = render(f);
    f.pressed = true;
    const QImage pressed = render(f);
    EXPECT_EQ(normal.pixelColor(50, 15), QColor(Qt::red));
    EXPECT_NE(pressed.pixelColor(50, 15), QColor(Qt::red));
    EXPECT_EQ(pressed.pixelColor(60, 25), QColor(Qt::red));
    EXPECT_EQ(normal.pixelColor(5, 0), QColor(160, 160, 160)); // lighter at the top
    EXPECT_EQ(pressed.pixelColor(5, 0), QColor(96, 96, 96));   // darker once pressed
}
