// The shaped button on a screen of two device pixels per control pixel: its
// face is rendered at the screen's pixels (outline and caption as fine as the
// screen), not drawn at one and doubled. Runs with QT_SCALE_FACTOR=2.
#include "widgets/shapedbutton.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace calidor;

namespace {

std::unique_ptr<TShapedButton> ovalButton() {
    auto b = std::make_unique<TShapedButton>();
    b->setText(QStringLiteral("FERMER"));
    b->setGeometry(0, 0, 89, 30);
    b->setButtonKind(TShapedButton::bkOval);
    b->setButtonWidth(89);
    b->setButtonHeight(30);
    b->setButtonColor(QColor(128, 128, 128));
    b->setCaption3dKind(TShapedButton::ckEmbossed);
    return b;
}

// Aligned 2 x 2 blocks of device pixels that are not of one colour: none in a
// picture drawn at one pixel per control pixel and doubled.
int mixedBlocks(const QImage& image) {
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    return mixed;
}

} // namespace

TEST(ShapedButtonHiDpi, TheFaceIsRenderedAtTheScreensPixels) {
    auto b = ovalButton();
    b->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(b.get()));
    ASSERT_EQ(b->devicePixelRatioF(), 2.0);
    const QImage face = b->renderedImage();
    EXPECT_EQ(face.devicePixelRatio(), 2.0);
    EXPECT_EQ(face.size(), QSize(178, 60));
    // Outline steps and caption edges fall between the doubled pixels.
    EXPECT_GT(mixedBlocks(face.convertToFormat(QImage::Format_ARGB32)), 60);

    // The whole button as the screen shows it: the same fine detail, and the
    // parent shows through beyond the outline rather than a band of the face.
    const QImage shown = b->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.size(), QSize(178, 60));
    EXPECT_GT(mixedBlocks(shown), 60);
    EXPECT_TRUE(b->mask().contains(QPoint(44, 15)));
    EXPECT_FALSE(b->mask().contains(QPoint(0, 0)));
    EXPECT_EQ(qAlpha(face.convertToFormat(QImage::Format_ARGB32).pixel(0, 0)), 0)
        << "clear outside the outline";
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
