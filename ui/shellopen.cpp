#include "ui/shellopen.h"

#include <QDesktopServices>
#include <QFileInfo>
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

} // namespace

void shellOpen(const QString& address) {
    if (opener())
        opener()(address);
    else
        QDesktopServices::openUrl(urlOf(address));
}

void setShellOpener(ShellOpener newOpener) {
    opener() = std::move(newOpener);
}

} // namespace calidor
