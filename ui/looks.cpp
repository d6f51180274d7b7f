#include "ui/looks.h"

#include <QPalette>
#include <QWidget>

namespace calidor {

const QColor WindowBeige(232, 216, 176);

QFont comicFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont defaultFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

void installFontSubstitutions() {
    // The condensed face is the nearest in width to the small bitmap sans
    // face the windows are designed for.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace calidor
