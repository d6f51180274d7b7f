#include "ui/shellopen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace calidor {

namespace {

ShellOpener& opener() {
    static ShellOpener instance;
    return instance;
}

QUrl urlOf(const QString& address) {
    // A document of ours is a file on disk; everything else is an address.
    if (QFileInfo(address).isAbsolute())
        return QUrl::fromLocalFile(address);
    return QUrl(address);
}

QString tr(const char* text) {
    return QCoreApplication::translate("calidor::ShellOpen", text);
}

const char* const DocumentMissing = QT_TRANSLATE_NOOP(
    "calidor::ShellOpen", "Le document sur le modèle est introuvable. Il devrait se trouver ici :\n%1");
const char* const NoReader = QT_TRANSLATE_NOOP(
    "calidor::ShellOpen", "Aucun programme ne peut ouvrir le document sur le modèle (il faut un "
                          "lecteur de PDF). Vous pouvez l'ouvrir vous-même ; il se trouve ici :\n%1");

void tellDocumentNotOpened(const QString& message, QWidget* parent) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Calidor"), message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("documentNotOpened"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse); // the path can be copied
    box->open();
}

} // namespace

bool shellOpen(const QString& address) {
    if (opener())
        return opener()(address);
    return QDesktopServices::openUrl(urlOf(address));
}

void setShellOpener(ShellOpener newOpener) {
    opener() = std::move(newOpener);
}

void openModelDocument(const QString& path, QWidget* parent) {
    const bool localFile = QFileInfo(path).isAbsolute() || path.isEmpty();
    const QString shown = localFile ? QDir::toNativeSeparators(path) : path;
    if (localFile && !QFileInfo::exists(path)) {
        tellDocumentNotOpened(tr(DocumentMissing).arg(shown), parent);
        return;
    }
    if (!shellOpen(path))
        tellDocumentNotOpened(tr(NoReader).arg(shown), parent);
}

} // namespace calidor
