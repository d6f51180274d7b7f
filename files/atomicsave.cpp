#include "files/atomicsave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace calidor::files {

namespace {

// The reason a file could not be created, said from what the folder is.
QString whyNotCreated(const QFileInfo& target, const QString& qtReason) {
    const QFileInfo folder(target.absolutePath());
    const QString shown = QDir::toNativeSeparators(target.absoluteFilePath());
    if (!folder.exists())
        return QCoreApplication::translate(
                   "calidor::files", "Impossible d'enregistrer « %1 » : le dossier « %2 » n'existe pas.")
            .arg(shown, QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isDir())
        return QCoreApplication::translate("calidor::files",
                                           "Impossible d'enregistrer « %1 » : « %2 » n'est pas un dossier.")
            .arg(shown, QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isWritable())
        return QCoreApplication::translate(
                   "calidor::files",
                   "Impossible d'enregistrer « %1 » : le dossier « %2 » est en lecture seule.")
            .arg(shown, QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (target.isDir())
        return QCoreApplication::translate("calidor::files",
                                           "Impossible d'enregistrer « %1 » : c'est un dossier.")
            .arg(shown);
    if (target.exists() && !target.isWritable())
        return QCoreApplication::translate(
                   "calidor::files", "Impossible d'enregistrer « %1 » : le fichier est en lecture seule.")
            .arg(shown);
    return QCoreApplication::translate("calidor::files", "Impossible d'enregistrer « %1 » : %2.")
        .arg(shown, qtReason);
}

} // namespace

QString saveAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (path.isEmpty())
        return QCoreApplication::translate("calidor::files",
                                           "Impossible d'enregistrer : aucun nom de fichier.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return whyNotCreated(target, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QCoreApplication::translate(
                   "calidor::files",
                   "Impossible d'enregistrer « %1 » : l'écriture a échoué (disque plein ?) : %2. "
                   "Le fichier précédent, s'il y en avait un, est intact.")
            .arg(QDir::toNativeSeparators(target.absoluteFilePath()), reason);
    }
    if (!file.commit())
        return QCoreApplication::translate(
                   "calidor::files",
                   "Impossible d'enregistrer « %1 » : %2. Le fichier précédent, s'il y en avait un, est "
                   "intact.")
            .arg(QDir::toNativeSeparators(target.absoluteFilePath()), file.errorString());
    return {};
}

} // namespace calidor::files
