#include "ui/startup.h"

#include "pictures/pictures.h"
#include "ui/apropos.h"
#include "ui/batchcommand.h"
#include "ui/language.h"
#include "ui/visu.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

#ifndef CALIDOR_VERSION
#error "CALIDOR_VERSION, CALIDOR_ORGANIZATION_DOMAIN and CALIDOR_APP_ID come from CMake"
#endif

namespace calidor {

namespace {

QtMessageHandler previousHandler = nullptr;

// Installed while QApplication opens the platform: a platform plugin that
// cannot start (a display that does not answer) ends in a fatal message, on
// which Qt would abort. Qt's message is kept; then one line of ours, and a
// plain failure status instead of the abort.
void platformFailureHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n%s", qPrintable(message), qPrintable(noDisplayMessage()));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

QString applicationId() {
    return QStringLiteral(CALIDOR_APP_ID);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : pictures::applicationIconSizes)
        icon.addFile(pictures::applicationIcon(size), QSize(size, size));
    return icon;
}

void setApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("calidor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CALIDOR_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral(CALIDOR_ORGANIZATION_DOMAIN));
    // No application display name: Qt would append it to every window title
    // ("A propos... — Calidor"), and the two windows' titles are their own.
    QGuiApplication::setDesktopFileName(applicationId());
}

int calidorMain(int& argc, char** argv) {
    const QStringList arguments = argumentList(argc, argv);
    const CommandLine options = parseCommandLine(arguments);
    switch (options.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        if (options.english) {
            // The texts are written again once the English catalogue is in;
            // a core application needs no window system.
            QCoreApplication core(argc, argv);
            installTranslations(true);
            std::fputs(qPrintable(parseCommandLine(arguments).text), stdout);
            return 0;
        }
        std::fputs(qPrintable(options.text), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fputs(qPrintable(options.text), stderr);
        return 2;
    case CommandLine::Action::Batch: {
        // No window system: a core application, for the translations.
        setApplicationIdentity();
        QCoreApplication core(argc, argv);
        installTranslations(options.english);
        return runBatchCommand(options.batch);
    }
    case CommandLine::Action::Run:
        break;
    }
    if (!displayConfigured(arguments)) {
        std::fputs(qPrintable(noDisplayMessage()), stderr);
        return 1;
    }

    setApplicationIdentity();
    previousHandler = qInstallMessageHandler(platformFailureHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    return runCalidor(options);
}

int runCalidor(const CommandLine& options) {
    installTranslations(options.english);
    installFontSubstitutions();
    QApplication::setWindowIcon(applicationIcon());
    TForm1 form;
    TFapropos about(&form);
    form.setAboutDialog(&about);
    form.show();
    return QApplication::exec();
}

} // namespace calidor
