#pragma once
// The fonts and colours both windows use.

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace calidor {

/// Window background of both windows, RGB(232, 216, 176).
extern const QColor WindowBeige;

/// The fixed colours of the interface: red for the hot fluid, blue for the
/// cold one, fuchsia for the wall, teal for the exchanger and the laboratory.
namespace colours {
inline const QColor Red(255, 0, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Fuchsia(255, 0, 255);
inline const QColor Teal(0, 128, 128);
inline const QColor Black(0, 0, 0);
} // namespace colours

/// "Comic Sans MS" (or Comic Neue, which stands in for it) at a size in pixels.
QFont comicFont(int pixels, bool bold = false);

/// The window's default face, "MS Sans Serif" at 11 pixels (see installFontSubstitutions).
QFont defaultFont();

/// Makes the fonts the windows ask for resolve to installed faces.
void installFontSubstitutions();

/// The light colours the windows were drawn with (black text on white fields,
/// light grey buttons and window), every role of every group set.
QPalette lightPalette();

/// The full palette both windows are designed in: the light colours with the
/// windows' beige. A window that sets it at construction looks the same
/// whatever palette the desktop gives the application.
QPalette designedPalette();

/// Once the keyboard has moved the focus in a window (Tab, a shortcut), the
/// focused control of `window` is outlined in the palette's highlight colour:
/// buttons, boxes, sliders and charts, whose style shows the focus faintly or
/// not at all (fields show it themselves). Before that, and on every control
/// without the focus, the window looks as designed.
void showKeyboardFocus(QWidget* window);

/// Sets the colour a label or field writes its text in.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace calidor
