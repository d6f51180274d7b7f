#include "pictures/pictures.h"

namespace calidor::pictures {

QString logo() {
    return QStringLiteral(":/pictures/logo.gif");
}
QString chartPaper() {
    return QStringLiteral(":/pictures/chart-paper.gif");
}
QString parchment() {
    return QStringLiteral(":/pictures/parchment.gif");
}
QString mail() {
    return QStringLiteral(":/pictures/mail.gif");
}
QString globe() {
    return QStringLiteral(":/pictures/globe.gif");
}
QString buttonFace() {
    return QStringLiteral(":/pictures/button-face.bmp");
}
QString applicationIcon(int size) {
    return QStringLiteral(":/pictures/icons/calidor-%1.png").arg(size);
}

} // namespace calidor::pictures
