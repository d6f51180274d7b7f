#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace calidor {

bool installTranslations(bool english) {
    // One translator of each kind, owned by the application, so that a
    // switch replaces what was installed before.
    static QPointer<QTranslator> qtFrench;
    static QPointer<QTranslator> programEnglish;
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (!qtFrench || !programEnglish) {
        qtFrench = new QTranslator(app);
        programEnglish = new QTranslator(app);
    }
    QCoreApplication::removeTranslator(qtFrench);
    QCoreApplication::removeTranslator(programEnglish);
    if (english) {
        // Built from translations/calidor_en.ts into the program's resources.
        return programEnglish->load(QStringLiteral(":/i18n/calidor_en.qm")) &&
               QCoreApplication::installTranslator(programEnglish);
    }
    return qtFrench->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(qtFrench);
}

} // namespace calidor
