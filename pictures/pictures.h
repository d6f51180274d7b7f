#pragma once
// Resource paths of the pictures that the windows carry. The pictures are
// compiled into the calidor_pictures library under ":/pictures/"; linking the
// library is all it takes to load them (QImage, QPixmap, QIcon).

#include <QString>

namespace calidor::pictures {

/// Laboratory logo beside the laboratory's name on the main window, 105 x 97 GIF.
QString logo();
/// Pale paper texture tiled behind every chart, 104 x 52 GIF; tiles without seams.
QString chartPaper();
/// Parchment stretched over the About dialog's background, 104 x 52 GIF.
QString parchment();
/// Envelope of the About dialog's e-mail link, 49 x 42 GIF with a transparent colour.
QString mail();
/// Globe of the About dialog's web link, 32 x 32 GIF with a transparent colour.
QString globe();
/// Parchment face of the About dialog's oval buttons, 282 x 196, 24 bits per pixel (BMP).
QString buttonFace();

/// Sizes, in pixels, of the application icon's square PNGs.
inline constexpr int applicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
/// The application icon (the two fluids either side of the wall) at one of
/// applicationIconSizes, rendered from icons/calidor.svg by scripts/make-icons.sh.
QString applicationIcon(int size);

} // namespace calidor::pictures
