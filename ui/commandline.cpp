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
        "Marche sans fenêtre (aucun affichage nécessaire) :\n"
        "  calidor --batch RÉGLAGE.calidor --csv RÉSULTATS.csv [--profiles PROFILS.csv]\n"
        "          [--set NOM=TEXTE ...] [--dialect fr]\n"
        "  --batch FICHIER    fait la marche du réglage enregistré dans FICHIER\n"
        "  --csv FICHIER      y écrit un relevé par affichage : le temps simulé (s), les\n"
        "                     températures en bout, les puissances, la production\n"
        "                     d'entropie, les entrées en vigueur\n"
        "  --profiles FICHIER les profils du dernier affichage (par défaut à côté du\n"
        "                     relevé : RÉSULTATS-profils.csv)\n"
        "  --set NOM=TEXTE    remplace le texte d'un champ (Tec, debc, Lech, tmax...)\n"
        "  --dialect fr       point-virgule et virgule décimale (par défaut : virgule\n"
        "                     et point décimal)\n"
        "  Statut de sortie : 0 marche finie, 2 fichier ou option refusés, 3 erreur de\n"
        "  calcul pendant la marche (le relevé jusqu'à l'erreur est écrit).\n"
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
    return {CommandLine::Action::Error,
            false,
            QStringLiteral("calidor : ") + message + QLatin1Char('\n') +
                QCoreApplication::translate("calidor::CommandLine", "Essayez « calidor --help ».") +
                QLatin1Char('\n'),
            {}};
}

CommandLine batchRequest(const QCommandLineParser& parser, const QCommandLineOption& batch,
                         const QCommandLineOption& csv, const QCommandLineOption& profiles,
                         const QCommandLineOption& set, const QCommandLineOption& dialect) {
    const auto translated = [](const char* text) {
        return QCoreApplication::translate("calidor::CommandLine", text);
    };
    if (!parser.isSet(batch))
        return error(translated("--csv, --profiles, --set et --dialect vont avec --batch"));
    if (!parser.unknownOptionNames().isEmpty())
        return error(translated("option inconnue pour une marche sans fenêtre : %1")
                         .arg(parser.unknownOptionNames().first()));
    if (!parser.positionalArguments().isEmpty())
        return error(translated("argument en trop : %1").arg(parser.positionalArguments().first()));
    if (!parser.isSet(csv))
        return error(translated("--batch demande --csv FICHIER, où écrire les résultats"));
    for (const QCommandLineOption* once : {&batch, &csv, &profiles, &dialect})
        if (parser.values(*once).size() > 1)
            return error(translated("l'option --%1 est donnée plusieurs fois").arg(once->names().first()));
    const QString chosen = parser.value(dialect);
    if (parser.isSet(dialect) && chosen != QLatin1String("fr") && chosen != QLatin1String("point"))
        return error(translated("dialecte inconnu « %1 » (fr ou point)").arg(chosen));
    CommandLine line;
    line.action = CommandLine::Action::Batch;
    line.batch = {parser.value(batch), parser.value(csv), parser.value(profiles), parser.values(set),
                  chosen == QLatin1String("fr")};
    for (const QString* path : {&line.batch.setupPath, &line.batch.csvPath})
        if (path->isEmpty())
            return error(translated("nom de fichier vide"));
    return line;
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
    const QCommandLineOption batch(QStringLiteral("batch"), QString(), QStringLiteral("file"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("file"));
    const QCommandLineOption profiles(QStringLiteral("profiles"), QString(), QStringLiteral("file"));
    const QCommandLineOption set(QStringLiteral("set"), QString(), QStringLiteral("name=text"));
    const QCommandLineOption dialect(QStringLiteral("dialect"), QString(), QStringLiteral("fr"));
    parser.addOptions({help, version, lang, batch, csv, profiles, set, dialect});
    parser.parse(arguments);

    // "--lang en --help" asks for the help in English.
    const bool englishAsked =
        !parser.values(lang).isEmpty() && parser.values(lang).last() == QLatin1String("en");
    if (parser.isSet(help))
        return {CommandLine::Action::Help, englishAsked, helpText(), {}};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, englishAsked, versionText(), {}};

    // A value option as the last word has no value and is not recorded as set.
    if (!arguments.isEmpty())
        for (const char* name : {"batch", "csv", "profiles", "set", "dialect"})
            if (arguments.size() > 1 && (arguments.last() == QLatin1String("--") + QLatin1String(name) ||
                                         arguments.last() == QLatin1Char('-') + QLatin1String(name)))
                return error(
                    QCoreApplication::translate("calidor::CommandLine", "l'option --%1 attend une valeur")
                        .arg(QLatin1String(name)));
    CommandLine line;
    if (parser.isSet(batch) || parser.isSet(csv) || parser.isSet(profiles) || parser.isSet(set) ||
        parser.isSet(dialect)) {
        line = batchRequest(parser, batch, csv, profiles, set, dialect);
        if (line.action == CommandLine::Action::Error)
            return line;
    }
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
