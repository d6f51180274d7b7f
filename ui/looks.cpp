#include "ui/looks.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace calidor {

const QColor WindowBeige(232, 216, 176);

namespace {

// Paints the outline over a control once the control has painted itself.
class KeyboardFocusOutline : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            control->update(); // the outline comes and goes with the focus
            return false;
        case QEvent::Paint:
            if (!outlined(control))
                return false;
            watched->event(event); // the control's own painting first
            paintOutline(control);
            return true;
        default:
            return false;
        }
    }

private:
    static bool outlined(const QWidget* control) {
        return control->hasFocus() && control->window()->testAttribute(Qt::WA_KeyboardFocusChange);
    }
    static void paintOutline(QWidget* control) {
        QPainter painter(control);
        painter.setPen(QPen(control->palette().color(QPalette::Active, QPalette::Highlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(control->rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

void showKeyboardFocus(QWidget* window) {
    auto* outline = new KeyboardFocusOutline(window);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // Controls of other windows (the balance window is the main window's
        // child) get an outline of their own window's.
        if (control->focusPolicy() == Qt::NoFocus || qobject_cast<QLineEdit*>(control) ||
            control->window() != window)
            continue;
        control->installEventFilter(outline);
    }
}

QPalette lightPalette() {
    // Disabled controls grey out their text and lose their white field.
    struct Role {
        QPalette::ColorRole role;
        QRgb normal, disabled;
    };
    static const Role roles[] = {
        {QPalette::WindowText, 0x000000, 0xbebebe},    {QPalette::Button, 0xefefef, 0xefefef},
        {QPalette::Light, 0xffffff, 0xffffff},         {QPalette::Midlight, 0xcacaca, 0xcacaca},
        {QPalette::Dark, 0x9f9f9f, 0xbebebe},          {QPalette::Mid, 0xb8b8b8, 0xb8b8b8},
        {QPalette::Text, 0x000000, 0xbebebe},          {QPalette::BrightText, 0xffffff, 0xffffff},
        {QPalette::ButtonText, 0x000000, 0xbebebe},    {QPalette::Base, 0xffffff, 0xefefef},
        {QPalette::Shadow, 0x767676, 0xb1b1b1},        {QPalette::Window, 0xefefef, 0xefefef},
        {QPalette::Highlight, 0x308cc6, 0x919191},     {QPalette::HighlightedText, 0xffffff, 0xffffff},
        {QPalette::Link, 0x0000ff, 0x0000ff},          {QPalette::LinkVisited, 0xff00ff, 0xff00ff},
        {QPalette::AlternateBase, 0xf7f7f7, 0xf7f7f7}, {QPalette::NoRole, 0x000000, 0x000000},
        {QPalette::ToolTipBase, 0xffffdc, 0xffffdc},   {QPalette::ToolTipText, 0x000000, 0x000000},
    };
    QPalette palette;
    for (const Role& r : roles) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, r.role, QColor(r.normal));
        palette.setColor(QPalette::Disabled, r.role, QColor(r.disabled));
    }
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    return palette;
}

QPalette designedPalette() {
    QPalette palette = lightPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, WindowBeige);
    return palette;
}

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
