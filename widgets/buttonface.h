#pragma once

// The shaped button's face as a picture: everything the face shows, gathered in one plain value, and the
// free functions that draw it. No widget is involved, so a face can be drawn and checked on its own.

#include "widgets/regiongeometry.h"
#include "widgets/shapedbutton.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

namespace calidor::buttonface {

/// Where a picture or the caption goes: against a side, centred, or at `free` on an axis whose
/// alignment is haNone / vaNone.
struct Placement {
    TShapedButton::THAlign h = TShapedButton::haLeft;
    TShapedButton::TVAlign v = TShapedButton::vaTop;
    QPoint free{5, 5}; ///< left and top when not aligned, pixels
};

/// Where a box of size `box` goes in a room of size `room`: `margin` pixels from an aligned side,
/// centred, or at the placement's free position. Pictures and captions are placed alike.
QPoint placed(const Placement& placement, QSize room, QSize box, int margin);

/// Everything a face depends on. Sizes and positions are in control pixels; the regions are in the
/// image's pixels (the control's size times `ratio`).
struct Face {
    // --- Size and state ---
    QSize size;      ///< the control's size, pixels
    qreal ratio = 1; ///< device pixels per control pixel
    RegionGeometry::ButtonRegions regions;
    bool pressed = false, hot = false, enabled = true, focused = false;
    bool customDraw = false; ///< only cleared to the face colour: the owner draws

    // --- Colours ---
    QColor colour;                ///< face colour; no colour leaves `window` showing
    QColor colour1;               ///< second colour of gradients
    QColor window{255, 255, 255}; ///< background when the face has no colour
    QColor text{0, 0, 0};         ///< caption colour while enabled
    TShapedButton::TGradientKind gradient = TShapedButton::gkNone;
    int gradientAngle = 450; ///< tenths
    QImage gradientBitmap;   ///< when not null, gradient colours come from one of its rows
    int gradientBitmapLine = 0;

    // --- Bevel ---
    TShapedButton::TBevelKind bevel = TShapedButton::dk3D;
    int depth = 2;         ///< bevel width, pixels
    bool showFocus = true; ///< draw the focus frame while focused

    // --- Picture ---
    QImage picture; ///< strip of `glyphs` frames: normal, disabled, hot, pressed
    int glyphs = 1;
    Placement picturePlace;
    bool transparent = false; ///< leave out the pixels of the strip's top-left colour

    // --- Caption ---
    QString caption; ///< "&&" shows "&", a single "&" underlines the next character
    QFont font;
    Placement captionPlace{TShapedButton::haCenter, TShapedButton::vaCenter, {5, 5}};
    int captionAngle = 0; ///< tenths
    TShapedButton::TCaption3dKind captionKind = TShapedButton::ckSimple;
    bool captionFixed = false; ///< placed on the unturned shape, then turned with it
    QSize shapeSize;           ///< the unturned shape's size, pixels (for a fixed caption)
    int shapeAngle = 0;        ///< the shape's turn, tenths (for a fixed caption)
};

/// The face in the image's pixels: 24 bits per pixel at ratio 1; at any other ratio premultiplied ARGB,
/// clear outside the window region, with that device pixel ratio. A null image for an empty size.
QImage render(const Face& face);

/// A picture ready to draw over the face: with `transparent`, the pixels of its top-left pixel's colour
/// are left out.
QImage preparedPicture(const QImage& picture, bool transparent);

} // namespace calidor::buttonface
