#include "ui/apropos.h"

#include "pictures/pictures.h"
#include "ui/looks.h"
#include "ui/shellopen.h"
#include "widgets/shapedbutton.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#ifndef CALIDOR_CONTACT_EMAIL
#define CALIDOR_CONTACT_EMAIL "calidor@kestrel.example.org"
#endif
#ifndef CALIDOR_TOOLS_URL
#define CALIDOR_TOOLS_URL "https://kestrel.example.org/outils/"
#endif
#ifndef CALIDOR_MODEL_DOC
#define CALIDOR_MODEL_DOC ""
#endif

namespace calidor {

namespace {

const QColor Olive(128, 128, 0);
const QPoint DesignedPosition(213, 216);

// The copy of the model document that the build printed, when the program
// runs from its build tree: the nearest folder above the program that holds
// CMakeCache.txt has it in docs/. Empty elsewhere.
QString builtModelDocument(QDir dir) {
    for (int up = 0; up < 4; ++up) {
        if (dir.exists(QStringLiteral("CMakeCache.txt"))) {
            const QFileInfo built(dir.filePath(QStringLiteral("docs/calidor-modele.pdf")));
            return built.exists() ? built.absoluteFilePath() : QString();
        }
        if (!dir.cdUp())
            break;
    }
    return {};
}

// The model document: an address given at build time, else the PDF that
// ships with the program, found from where the program is: installed, it is
// in <prefix>/share/doc/calidor beside <prefix>/bin; in a build tree, where
// the build printed it. No path of the build machine is compiled in, so an
// installed program never opens a stale copy left where it was built.
QString modelDocument() {
    const QString configured = QString::fromUtf8(CALIDOR_MODEL_DOC);
    if (!configured.isEmpty())
        return configured;
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QFileInfo installed(
        programFolder.filePath(QStringLiteral("../share/doc/calidor/calidor-modele.pdf")));
    if (installed.exists())
        return installed.absoluteFilePath();
    const QString built = builtModelDocument(programFolder);
    return built.isEmpty() ? installed.absoluteFilePath() : built;
}

// A picture that opens an address: reached by Tab as well as by the mouse;
// while it has the focus a dotted frame runs round it, and at rest it shows
// only its picture.
class PictureLink : public QLabel {
public:
    explicit PictureLink(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(pictureRect().adjusted(0, 0, -1, -1));
    }
    void focusInEvent(QFocusEvent* event) override {
        QLabel::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLabel::focusOutEvent(event);
        update();
    }

private:
    QRect pictureRect() const {
        const QSize picture = pixmap().deviceIndependentSize().toSize();
        return QRect(QPoint(0, 0), picture.boundedTo(size()));
    }
};

void configureOval(TShapedButton* button, const QRect& geometry, const QString& caption, int fontPixels,
                   const QImage& face) {
    button->setText(caption);
    button->setFont(comicFont(fontPixels, true));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::WindowText));
    button->setPalette(palette);
    button->setGeometry(geometry);
    button->setButtonKind(TShapedButton::bkOval);
    button->setButtonWidth(geometry.width());
    button->setButtonHeight(geometry.height());
    button->setButtonAngle(0);
    button->setCaptionAngle(0);
    button->setCaption3dKind(TShapedButton::ckEmbossed);
    button->setRadiusRatio(0.5);
    button->setArcAngle(RegionGeometry::kDefaultArcAngle);
    button->setUserRGNAUTO(true);
    button->setTransparent(false);
    button->setRotated(false);
    button->setRotationPointX(0);
    button->setRotationPointY(0);
    button->setCaptionFixed(false);
    button->setGradientKind(TShapedButton::gkLinear);
    button->setGradientAngle(0);
    button->setGradientFixed(false);
    button->setGradientBitmapLine(0);
    button->setMainBitmap(face);
}

} // namespace

AboutAddresses builtInAddresses() {
    return {QString::fromUtf8(CALIDOR_CONTACT_EMAIL), QString::fromUtf8(CALIDOR_TOOLS_URL), modelDocument()};
}

TFapropos::TFapropos(QWidget* parent, bool showAtCreation, AboutAddresses addresses)
    : QDialog(parent), m_addresses(std::move(addresses)) {
    setObjectName(QStringLiteral("Fapropos"));
    setWindowTitle(tr("A propos..."));
    setFont(defaultFont());
    setPalette(designedPalette());
    setFixedSize(273, 128);
    // A fixed size: a title and a close button, nothing to maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Placed where it was designed, not centred (see keepOnScreen).
    move(DesignedPosition);

    buildPictures();
    buildLabels();
    buildButtons();
    if (showAtCreation)
        FormCreate();
}

void TFapropos::buildPictures() {
    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("Image1"));
    background->setPixmap(QPixmap(pictures::parchment()));
    background->setScaledContents(true);
    background->setGeometry(0, 0, 273, 128);

    addPictureLink("Image2", pictures::mail(), QRect(0, 48, 57, 41), tr("E-mail : ") + m_addresses.email,
                   tr("Écrire à l'auteur"));
    addPictureLink("Image3", pictures::globe(), QRect(240, 56, 33, 33),
                   tr("D'autres outils disponibles sur ") + m_addresses.toolsPage, tr("D'autres outils"));
}

// The tooltip says where the link leads, and describes it to a screen reader.
void TFapropos::addPictureLink(const char* name, const QString& picture, const QRect& geometry,
                               const QString& tip, const QString& accessibleName) {
    auto* link = clickable(new PictureLink(this));
    link->setObjectName(QString::fromLatin1(name));
    link->setPixmap(QPixmap(picture));
    link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    link->setGeometry(geometry);
    link->setToolTip(tip);
    link->setAccessibleName(accessibleName);
    link->setAccessibleDescription(tip);
}

void TFapropos::buildLabels() {
    auto* title = new QLabel(tr("Echangeur instationnaire"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(comicFont(19));
    setTextColour(title, Olive);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(32, 0, 213, 26);

    auto* date = clickable(new QLabel(tr("Mars 2004"), this));
    date->setObjectName(QStringLiteral("Label2"));
    date->setFont(comicFont(11));
    setTextColour(date, Olive);
    date->setGeometry(64, 72, 57, 15);

    auto* version = clickable(new QLabel(tr("V 1.2"), this));
    version->setObjectName(QStringLiteral("Label3"));
    version->setFont(comicFont(11));
    setTextColour(version, Olive);
    version->setGeometry(208, 74, 25, 15);
}

void TFapropos::buildButtons() {
    const QImage face = QImage(pictures::buttonFace()).convertToFormat(QImage::Format_RGB888);

    auto* close = new TShapedButton(this);
    close->setObjectName(QStringLiteral("ShapedButton2"));
    configureOval(close, QRect(96, 34, 89, 30), tr("FERMER"), 11, face);
    close->setAccessibleDescription(tr("Ferme cette fenêtre."));
    connect(close, &QAbstractButton::clicked, this, [this] { ShapedButton2Click(); });

    auto* more = new TShapedButton(this);
    more->setObjectName(QStringLiteral("ShapedButton1"));
    configureOval(more, QRect(152, 98, 121, 30), tr("Pour en savoir plus..."), 9, face);
    more->setAccessibleDescription(
        tr("Ouvre le document sur le modèle de l'échangeur et sa méthode de calcul."));
    connect(more, &QAbstractButton::clicked, this, [this] { ShapedButton1Click(); });

    setTabOrder(close, more);
    // Then the two picture links, the mail before the globe.
    auto* mail = findChild<QWidget*>(QStringLiteral("Image2"));
    auto* globe = findChild<QWidget*>(QStringLiteral("Image3"));
    setTabOrder(more, mail);
    setTabOrder(mail, globe);
}

QLabel* TFapropos::clickable(QLabel* label) {
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

bool TFapropos::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Enter or Space on a focused picture link opens it, as a click does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* link = qobject_cast<QLabel*>(watched);
        if (link && link->focusPolicy() != Qt::NoFocus &&
            (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
            if (link->objectName() == QLatin1String("Image2"))
                Label3Click();
            else
                Label2Click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label->objectName() == QLatin1String("Image2"))
                Label3Click();
            else
                Label2Click(); // the globe, the date and the version
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QPoint positionOnScreen(const QRect& frame, const QRect& available) {
    // Too large for the screen, its top left corner (title, "FERMER") stays in sight.
    const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return {x, y};
}

void TFapropos::keepOnScreen(const QRect& available) {
    // Before the window manager has framed the dialog its title bar is not
    // counted in its frame: the style's height stands in for it.
    QRect frame = frameGeometry();
    if (frame == geometry())
        frame.setTop(frame.top() - style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    const QPoint moved = positionOnScreen(frame, available);
    if (moved != frame.topLeft())
        move(pos() + (moved - frame.topLeft()));
}

void TFapropos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* shownOn = screen())
        keepOnScreen(shownOn->availableGeometry());
    if (m_firstShow) {
        m_firstShow = false;
        if (auto* close = findChild<QWidget*>(QStringLiteral("ShapedButton2")))
            close->setFocus(Qt::OtherFocusReason);
    }
}

void TFapropos::FormCreate() {
    exec();
}

void TFapropos::ShapedButton2Click() {
    done(1);
}

void TFapropos::ShapedButton1Click() {
    openModelDocument(m_addresses.modelDocument, this);
}

void TFapropos::Label2Click() {
    shellOpen(m_addresses.toolsPage);
}

void TFapropos::Label3Click() {
    shellOpen(QStringLiteral("mailto:") + m_addresses.email);
}

} // namespace calidor
