// Geometry of the shaped button: outlines, inset, bands, rotation and regions, without any widget.
#include "widgets/regiongeometry.h"

#include <gtest/gtest.h>

#include <QPolygon>

using namespace calidor::RegionGeometry;

namespace {

Tpoints polygonPoints(const Shape& s, int index) {
    size_t start = 0;
    for (int k = 0; k < index; ++k)
        start += s.polygons.counts[k];
    return Tpoints(s.polygons.points.begin() + start,
                   s.polygons.points.begin() + start + s.polygons.counts[index]);
}

Shape box(int x0, int y0, int x1, int y1, int level = 0) {
    Shape s;
    s.polygons.points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    s.polygons.counts = {4};
    s.levels = {level};
    return s;
}

Shape join(const std::vector<Shape>& parts) {
    Shape s;
    for (const Shape& p : parts) {
        s.polygons.points.insert(s.polygons.points.end(), p.polygons.points.begin(), p.polygons.points.end());
        s.polygons.counts.insert(s.polygons.counts.end(), p.polygons.counts.begin(), p.polygons.counts.end());
        s.levels.insert(s.levels.end(), p.levels.begin(), p.levels.end());
    }
    return s;
}

long long area(const QRegion& r) {
    long long a = 0;
    for (const QRect& rect : r)
        a += static_cast<long long>(rect.width()) * rect.height();
    return a;
}

} // namespace

// --- The stadium (bkOval) ---

TEST(OvalOutline, LyingStadiumOf89By30HasTwoHalfCirclesOf26Points) {
    const Shape s = ovalOutline(89, 30, 2);
    ASSERT_EQ(s.polygonCount(), 1);
    EXPECT_EQ(s.levels, Tintegers{0});
    const Tpoints& p = s.polygons.points;
    ASSERT_EQ(p.size(), 56u);
    // Straight edges join the two half circles (centres at x = 74 and x = 15, radius 15).
    EXPECT_EQ(p[0], QPoint(73, 0));
    EXPECT_EQ(p[27], QPoint(73, 30));
    EXPECT_EQ(p[28], QPoint(16, 30));
    EXPECT_EQ(p[55], QPoint(16, 0));
    for (int k = 1; k <= 26; ++k)
        EXPECT_GE(p[k].x(), 74) << k;
    for (int k = 29; k <= 54; ++k)
        EXPECT_LE(p[k].x(), 15) << k;
    EXPECT_EQ(p[1], QPoint(74, 0));   // right half circle starts at its top
    EXPECT_EQ(p[14], QPoint(89, 15)); // and passes its rightmost point at a quarter turn
    EXPECT_EQ(p[29], QPoint(15, 30)); // left half circle starts at its bottom
    EXPECT_EQ(p[42], QPoint(0, 15));
}

TEST(OvalOutline, ThinLyingStadiumsArePaddedWithOriginPointsUpTo8) {
    // n = 0: four points and four (0, 0).
    const Tpoints flat = ovalOutline(40, 4, 2).polygons.points;
    EXPECT_EQ(flat, (Tpoints{{37, 0}, {37, 4}, {3, 4}, {3, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}));
    // n = 1: six points (the ties 37.5 and 2.5 round to even) and two (0, 0).
    const Tpoints one = ovalOutline(40, 5, 2).polygons.points;
    EXPECT_EQ(one, (Tpoints{{37, 0}, {38, 0}, {37, 5}, {3, 5}, {2, 5}, {3, 0}, {0, 0}, {0, 0}}));
    // The depth counts from 2 up: depth 3 needs 6 pixels.
    EXPECT_EQ(ovalOutline(40, 6, 3).polygons.points.size(), 8u);
}

TEST(OvalOutline, WidthNotAboveHeightGivesAStandingStadium) {
    const Tpoints tall = ovalOutline(30, 80, 2).polygons.points;
    ASSERT_EQ(tall.size(), 56u);
    EXPECT_EQ(tall[0], QPoint(30, 64));
    EXPECT_EQ(tall[1], QPoint(30, 65));  // lower half circle from its right end
    EXPECT_EQ(tall[14], QPoint(15, 80)); // through its bottom
    EXPECT_EQ(tall[27], QPoint(0, 64));
    EXPECT_EQ(tall[28], QPoint(0, 16));
    EXPECT_EQ(tall[29], QPoint(0, 15)); // upper half circle from its left end
    EXPECT_EQ(tall[42], QPoint(15, 0)); // through its top
    EXPECT_EQ(tall[55], QPoint(30, 16));

    const Tpoints square = ovalOutline(30, 30, 2).polygons.points;
    ASSERT_EQ(square.size(), 56u);
    EXPECT_EQ(square[0], QPoint(30, 14)); // W = H stands
    EXPECT_EQ(square[1], QPoint(30, 15));
}

TEST(OvalOutline, TooThinForItsBevelFallsBackToTheBox) {
    EXPECT_EQ(ovalOutline(40, 3, 2).polygons.points, (Tpoints{{0, 0}, {40, 0}, {40, 3}, {0, 3}}));
    EXPECT_EQ(ovalOutline(3, 40, 2).polygons.points.size(), 4u);
}

// --- Other outlines ---

TEST(Outlines, FixedKindsFollowTheirConstruction) {
    ShapeParams p;
    p.width = 89;
    p.height = 30;
    p.kind = bkRect;
    EXPECT_EQ(outline(p).polygons.points, (Tpoints{{0, 0}, {89, 0}, {89, 30}, {0, 30}}));
    p.kind = bkElliptic;
    EXPECT_EQ(outline(p).polygons.points.size(), 85u);       // max(W, H) - 2 max(2, D)
    EXPECT_EQ(outline(p).polygons.points[0], QPoint(44, 0)); // top centre (44.5 rounds to even)
    p.kind = bkPoly;
    p.peaks = 5;
    EXPECT_EQ(outline(p).polygons.points.size(), 5u);
    p.kind = bkDonut;
    p.radiusRatio = 0.5;
    const Shape donut = outline(p);
    EXPECT_EQ(donut.polygons.counts, (Tintegers{81, 81})); // max(W, H) - 4 max(2, D)
    EXPECT_EQ(donut.levels, (Tintegers{0, 1}));
    EXPECT_EQ(polygonPoints(donut, 1)[0], QPoint(44, 8)); // the hole's top: half axes halved
}

TEST(Outlines, EveryKindStaysInItsBoxAndSmallSizesNeverFail) {
    const QSize sizes[] = {{0, 0}, {1, 1}, {2, 7}, {5, 5}, {9, 6}, {89, 30}, {30, 89}, {121, 30}};
    for (int kind = bkRect; kind <= bkOval; ++kind) {
        for (const QSize size : sizes) {
            ShapeParams p;
            p.kind = TShapeKind(kind);
            p.width = size.width();
            p.height = size.height();
            p.userOutline = QStringLiteral("0,0 10,0 10,10");
            const Shape s = outline(p);
            for (const QPoint& pt : s.polygons.points) {
                if (kind == bkUser)
                    continue;
                EXPECT_TRUE(pt.x() >= 0 && pt.x() <= size.width() && pt.y() >= 0 && pt.y() <= size.height())
                    << "kind " << kind << " at " << size.width() << "x" << size.height();
            }
            // The later stages must cope with whatever the outline is.
            const Shape in = inset(s, 2);
            bands(s, in);
            regionFromShape(in);
            const bool empty = regionFromShape(s).isEmpty();
            if (size.width() >= 5 && size.height() >= 5) {
                EXPECT_FALSE(empty) << "kind " << kind << " at " << size.width() << "x" << size.height();
            }
            if (size.isNull()) {
                EXPECT_TRUE(empty) << "kind " << kind;
            }
        }
    }
}

TEST(UserOutline, ParsesPolygonsWithLevelsAndRejectsMalformedText) {
    Shape s;
    ASSERT_TRUE(
        parseUserOutline(QStringLiteral(" 0,0 100,0 100,60 0,60 ; 1: 30 , 15 70,15 70,45 30,45;"), s));
    EXPECT_EQ(s.polygons.counts, (Tintegers{4, 4}));
    EXPECT_EQ(s.levels, (Tintegers{0, 1}));
    EXPECT_EQ(s.polygons.points[4], QPoint(30, 15));

    for (const char* bad :
         {"", "   ", "0,0 10,0", "0,0 10,0 10 10", "a,b c,d e,f", "0,0 10,0 10,10 x", "0,0 10,0 200000,10",
          "-1: 0,0 10,0 10,10", "0,0,1 10,0 10,10", "99999999999999999999,0 1,1 2,2"}) {
        EXPECT_FALSE(parseUserOutline(QString::fromLatin1(bad), s)) << bad;
        EXPECT_EQ(s.polygonCount(), 0) << bad;
    }
    ShapeParams p;
    p.kind = bkUser;
    p.width = 20;
    p.height = 10;
    p.userOutline = QStringLiteral("nonsense");
    EXPECT_EQ(outline(p).polygons.points, (Tpoints{{0, 0}, {20, 0}, {20, 10}, {0, 10}}));
}

// --- Inset and bands ---

TEST(Inset, MovesCornersIntoSolidsAndOutOfHoles) {
    EXPECT_EQ(inset(box(0, 0, 60, 40), 2).polygons.points, (Tpoints{{2, 2}, {58, 2}, {58, 38}, {2, 38}}));
    EXPECT_EQ(inset(box(10, 10, 50, 30, 1), 2).polygons.points,
              (Tpoints{{8, 8}, {52, 8}, {52, 32}, {8, 32}}));
}

TEST(Inset, KeepsEveryOutlineClosedAndInside) {
    for (int kind = bkRect; kind <= bkOval; ++kind) {
        if (kind == bkUser)
            continue;
        for (const QSize size : {QSize(89, 30), QSize(121, 30), QSize(40, 90), QSize(24, 24)}) {
            ShapeParams p;
            p.kind = TShapeKind(kind);
            p.width = size.width();
            p.height = size.height();
            const Shape outer = outline(p);
            const Shape inner = inset(outer, 2);
            ASSERT_EQ(inner.polygons.counts, outer.polygons.counts);
            ASSERT_EQ(inner.levels, outer.levels);
            const QRegion o = regionFromShape(outer), i = regionFromShape(inner);
            EXPECT_FALSE(i.isEmpty()) << "kind " << kind;
            EXPECT_TRUE(i.subtracted(o).isEmpty())
                << "kind " << kind << " at " << size.width() << "x" << size.height();
            EXPECT_LT(area(i), area(o)) << "kind " << kind;
        }
    }
}

TEST(Inset, RepairStopsNeighboursFromCrossing) {
    // A 3-pixel-wide box inset by 2: the two ends of each short edge would pass each other, (2, 2) and
    // (1, 2) at the top; equally sharp, the second joins the first.
    EXPECT_EQ(inset(box(0, 0, 3, 20), 2).polygons.points, (Tpoints{{2, 2}, {2, 2}, {1, 18}, {1, 18}}));
}

TEST(Bands, CoverTheRingBetweenOutlineAndInsetLightOnTheUpperLeft) {
    for (const TShapeKind kind : {bkRect, bkOval, bkElliptic, bkDonut, bkCross}) {
        ShapeParams p;
        p.kind = kind;
        p.width = 89;
        p.height = 30;
        const Shape outer = outline(p), inner = inset(outer, 2);
        const Bands b = bands(outer, inner);
        const QRegion light = regionFromPolygons(b.light), dark = regionFromPolygons(b.dark);
        const QRegion ring = regionFromShape(outer).subtracted(regionFromShape(inner));
        EXPECT_TRUE(ring.subtracted(light.united(dark)).isEmpty()) << kind;
        EXPECT_TRUE(light.united(dark).subtracted(regionFromShape(outer)).isEmpty()) << kind;
        EXPECT_LE(area(light.intersected(dark)), 4) << kind; // at most a pixel where corners meet
    }
    const Shape rect = box(0, 0, 60, 40);
    const Bands b = bands(rect, inset(rect, 2));
    const QRegion light = regionFromPolygons(b.light), dark = regionFromPolygons(b.dark);
    EXPECT_TRUE(light.contains(QPoint(30, 0)) && light.contains(QPoint(0, 20)));
    EXPECT_TRUE(dark.contains(QPoint(30, 39)) && dark.contains(QPoint(59, 20)));
}

TEST(Bands, InsideAHoleTheLightSideFollowsTheHoleRule) {
    const Shape ring = join({box(0, 0, 60, 60), box(20, 20, 40, 40, 1)});
    const Bands b = bands(ring, inset(ring, 2));
    const QRegion light = regionFromPolygons(b.light), dark = regionFromPolygons(b.dark);
    // The hole's edges run clockwise too: its top (dx > 0) and left (dx = 0, going up) are light.
    EXPECT_TRUE(light.contains(QPoint(30, 18)));
    EXPECT_TRUE(light.contains(QPoint(18, 30)));
    EXPECT_TRUE(dark.contains(QPoint(30, 41)));
    EXPECT_TRUE(dark.contains(QPoint(41, 30)));
}

TEST(Bands, MismatchedOutlinesGiveNoBands) {
    const Bands b = bands(box(0, 0, 10, 10), ovalOutline(89, 30, 2));
    EXPECT_TRUE(b.light.points.empty() && b.dark.points.empty());
}

// --- Rotation ---

TEST(Rotation, TurnsCounterClockwiseOnScreenAndKeepsTheCentre) {
    Tpoints pts{{60, 20}, {30, 20}, {0, 0}, {60, 40}};
    rotatePoints(pts, QPoint(30, 20), 900);
    EXPECT_EQ(pts[0], QPoint(30, -10)); // right middle goes to the top
    EXPECT_EQ(pts[1], QPoint(30, 20));  // the centre stays
    EXPECT_EQ(pts[2], QPoint(10, 50));  // the origin moves like any corner
    EXPECT_EQ(pts[3], QPoint(50, -10));

    for (const int angle : {450, -1350, 1800, 3700}) {
        Tpoints c{{44, 15}};
        rotatePoints(c, QPoint(44, 15), angle);
        EXPECT_LE((c[0] - QPoint(44, 15)).manhattanLength(), 2) << angle;
    }
    Tpoints full{{13, 7}, {0, 5}};
    rotatePoints(full, QPoint(44, 15), 3600);
    EXPECT_EQ(full, (Tpoints{{13, 7}, {0, 5}}));
}

// --- Regions ---

TEST(Regions, NestedPolygonsAlternateSolidAndHoleWhateverTheirOrder) {
    const Shape nested = join({box(40, 40, 60, 60, 2), box(20, 20, 80, 80, 1), box(0, 0, 100, 100, 0)});
    const QRegion r = regionFromShape(nested);
    EXPECT_TRUE(r.contains(QPoint(10, 10)));  // solid
    EXPECT_FALSE(r.contains(QPoint(30, 30))); // hole
    EXPECT_TRUE(r.contains(QPoint(50, 50)));  // island in the hole
    EXPECT_EQ(area(r), 100 * 100 - 60 * 60 + 20 * 20);

    EXPECT_EQ(area(regionFromShape(box(0, 0, 89, 30))), 89 * 30); // vertices on pixel corners
    EXPECT_TRUE(regionFromShape(Shape{}).isEmpty());
    EXPECT_TRUE(regionFromShape(box(0, 0, 10, 10, 1)).isEmpty()); // a hole alone is nothing
}

TEST(Regions, FrameIsTheOnePixelBorderInside) {
    const QRegion frame = frameRegion(QRegion(0, 0, 10, 10));
    EXPECT_EQ(area(frame), 36);
    EXPECT_TRUE(frame.contains(QPoint(0, 5)) && frame.contains(QPoint(9, 9)));
    EXPECT_FALSE(frame.contains(QPoint(1, 1)));
}
