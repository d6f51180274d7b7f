#include "ui/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#ifndef CALIDOR_VERSION
#error "CALIDOR_VERSION comes from the project's version in CMake"
#endif

namespace calidor {

namespace {

QString helpText() {
    return QCoreApplication::translate(
        "calidor::CommandLine",
        "Usage : calidor [options]\n"
        "Simulateur d'un échangeur de chaleur en régime transitoire, pour l'enseignement.\n"
        "\n"
        "Options :\n"
        "  -h, --help      affiche cette aide et s'arrête\n"
        "  -v, --version   affiche la version et s'arrête\n"
        "  --lang en|fr    langue des textes : fr (par défaut, quelle que soit la langue\n"
        "                  du bureau) ou en\n"
        "\n"
        "Les options de Qt (-platform, -style, -geometry...) sont acceptées aussi.\n");
}

QString versionText() {
    return QStringLiteral("calidor " CALIDOR_VERSION "\n") +
           QCoreApplication::translate("calidor::CommandLine",
                                       "Licence GPL-3.0-or-later : GNU GPL version 3 ou ultérieure "
                                       "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                       "Ce programme est un logiciel libre, fourni sans aucune garantie.\n");
}

CommandLine error(const QString& message) {
    return {CommandLine::Action::Error, false,
            QStringLiteral("calidor : ") + message + QLatin1Char('\n') +
                QCoreApplication::translate("calidor::CommandLine", "Essayez « calidor --help ».") +
                QLatin1Char('\n')};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -style): read them
    // as long options, so that they come back as unknown ones, left to Qt,
    // instead of as bundles of single letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("en|fr"));
    parser.addOptions({help, version, lang});
    parser.parse(arguments);

    // "--lang en --help" asks for the help in English.
    const bool englishAsked =
        !parser.values(lang).isEmpty() && parser.values(lang).last() == QLatin1String("en");
    if (parser.isSet(help))
        return {CommandLine::Action::Help, englishAsked, helpText()};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, englishAsked, versionText()};

    CommandLine line;
    const QStringList langs = parser.values(lang);
    if (langs.isEmpty()) {
        // "--lang" with nothing after it is not recorded as set.
        for (const QString& argument : arguments.mid(1))
            if (argument == QLatin1String("--lang") || argument == QLatin1String("-lang"))
                return error(
                    QCoreApplication::translate("calidor::CommandLine", "l'option --lang attend en ou fr"));
        return line;
    }
    const QString& choice = langs.last();
    if (choice != QLatin1String("en") && choice != QLatin1String("fr"))
        return error(QCoreApplication::translate("calidor::CommandLine", "langue inconnue « %1 » (en ou fr)")
                         .arg(choice));
    line.english = choice == QLatin1String("en");
    return line;
}

QStringList argumentList(int argc, const char* const* argv) {
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool displayConfigured(const QStringList& arguments) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    for (const QString& argument : arguments.mid(1))
        if (argument == QLatin1String("-platform") || argument.startsWith(QLatin1String("-platform=")) ||
            argument == QLatin1String("--platform") || argument.startsWith(QLatin1String("--platform=")))
            return true;
    return false;
}

QString noDisplayMessage() {
    // Both languages on purpose: no translation is loaded this early.
    return QStringLiteral("calidor : aucun affichage utilisable, vérifiez DISPLAY ou WAYLAND_DISPLAY / "
                          "no usable display, check DISPLAY or WAYLAND_DISPLAY\n");
}

} // namespace calidor
