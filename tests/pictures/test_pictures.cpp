// The pictures compiled into calidor_pictures: linking the static library is
// enough to reach them, each decodes with Qt's built-in readers, and each has
// the size, depth and transparency that the windows rely on.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <cstdlib>

#include "pictures/pictures.h"

namespace {

struct PictureCase {
    QString (*named)(); // the accessor of pictures.h
    const char* path;
    const char* format; // as QImageReader names it
    int width;
    int height;
    bool transparent; // carries a transparent colour
};

const PictureCase kPictures[] = {
    {calidor::pictures::logo, ":/pictures/logo.gif", "gif", 105, 97, false},
    {calidor::pictures::chartPaper, ":/pictures/chart-paper.gif", "gif", 104, 52, false},
    {calidor::pictures::parchment, ":/pictures/parchment.gif", "gif", 104, 52, false},
    {calidor::pictures::mail, ":/pictures/mail.gif", "gif", 49, 42, true},
    {calidor::pictures::globe, ":/pictures/globe.gif", "gif", 32, 32, true},
    {calidor::pictures::buttonFace, ":/pictures/button-face.bmp", "bmp", 282, 196, false},
};

bool anyTransparentPixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                return true;
    return false;
}

// Mean absolute difference of all channels between two columns of a picture.
double columnDifference(const QImage& image, int a, int b) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb p = image.pixel(a, y), q = image.pixel(b, y);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * image.height());
}

double rowDifference(const QImage& image, int a, int b) {
    return columnDifference(image.transformed(QTransform().rotate(90)), a, b);
}

} // namespace

// --- Every picture -----------------------------------------------------------

class PictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, DecodesWithItsSizeAndFormat) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(c.named(), QString::fromLatin1(c.path));
    QImageReader reader(QString::fromLatin1(c.path));
    EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.path;
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << c.path << ": " << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(c.width, c.height)) << c.path;
}

TEST_P(PictureTest, TransparentOnlyWhereMeantToBe) {
    const PictureCase& c = GetParam();
    const QImage image(QString::fromLatin1(c.path));
    ASSERT_FALSE(image.isNull()) << c.path;
    EXPECT_EQ(anyTransparentPixel(image), c.transparent) << c.path;
}

// Each case named after its file ("logo_gif"), so that test names stay the same from build to build.
static std::string caseName(const ::testing::TestParamInfo<PictureCase>& info) {
    std::string name = QString::fromLatin1(info.param.path).section(QLatin1Char('/'), -1).toStdString();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Resources, PictureTest, ::testing::ValuesIn(kPictures), caseName);

// --- Icons: transparent around the drawing, opaque in it ---------------------

TEST(Icons, MailIsTransparentAroundTheEnvelope) {
    const QImage mail(":/pictures/mail.gif");
    ASSERT_FALSE(mail.isNull());
    EXPECT_TRUE(mail.hasAlphaChannel());
    EXPECT_EQ(qAlpha(mail.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(mail.pixel(48, 0)), 0);
    EXPECT_EQ(qAlpha(mail.pixel(20, 30)), 255);
}

TEST(Icons, GlobeIsTransparentOutsideTheDisc) {
    const QImage globe(":/pictures/globe.gif");
    ASSERT_FALSE(globe.isNull());
    EXPECT_TRUE(globe.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_EQ(qAlpha(globe.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(globe.pixel(16, 16)), 255);
}

// --- Button face: a 24-bit picture -------------------------------------------

TEST(ButtonFace, FileHolds24BitsPerPixel) {
    QFile file(":/pictures/button-face.bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    ASSERT_EQ(header.size(), 54);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    // Bits per pixel sit at offset 28 of a BMP, little-endian.
    EXPECT_EQ(qFromLittleEndian<quint16>(header.constData() + 28), 24);
}

TEST(ButtonFace, DecodesAsOpaqueTrueColour) {
    const QImage face(":/pictures/button-face.bmp");
    ASSERT_FALSE(face.isNull());
    EXPECT_TRUE(face.format() == QImage::Format_RGB32 || face.format() == QImage::Format_RGB888)
        << "format " << face.format();
    EXPECT_FALSE(face.hasAlphaChannel());
}

// --- Chart paper: tiles without seams and stays pale -------------------------

TEST(ChartPaper, TilesWithoutVisibleSeams) {
    const QImage paper = QImage(":/pictures/chart-paper.gif").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(paper.isNull());
    const int w = paper.width(), h = paper.height();
    // Across the seam between two tiles the colours change no more than
    // between neighbouring columns (rows) inside the tile.
    double inside = 0;
    for (int x = 0; x + 1 < w; ++x)
        inside = std::max(inside, columnDifference(paper, x, x + 1));
    EXPECT_LE(columnDifference(paper, w - 1, 0), inside);
    inside = 0;
    for (int y = 0; y + 1 < h; ++y)
        inside = std::max(inside, rowDifference(paper, y, y + 1));
    EXPECT_LE(rowDifference(paper, h - 1, 0), inside);
}

TEST(ChartPaper, PaleEnoughForCurvesAndLabels) {
    const QImage paper(":/pictures/chart-paper.gif");
    ASSERT_FALSE(paper.isNull());
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x) {
            const QColor c = QColor::fromRgb(paper.pixel(x, y));
            ASSERT_GE(c.lightness(), 200) << x << "," << y;
            ASSERT_LE(c.hsvSaturation(), 64) << x << "," << y;
        }
}
