#include "files/setupfile.h"

#include "files/atomicsave.h"
#include "model/fieldtable.h"
#include "model/numbertext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace calidor::files {

namespace {

const QString Format = QStringLiteral("calidor-setup");
constexpr int Version = 1;

// The words of the document for the representation and the pace.
struct Word {
    const char* word;
    int value;
};
constexpr Word RepresentationWords[] = {{"powers", int(Representation::Powers)},
                                        {"entropy", int(Representation::EntropyProduction)}};
constexpr Word PaceWords[] = {{"max", int(Pace::Max)},
                              {"realTime", int(Pace::RealTime)},
                              {"tenfold", int(Pace::Tenfold)},
                              {"tenth", int(Pace::Tenth)}};

template <std::size_t Count> QString wordOf(const Word (&words)[Count], int value) {
    for (const Word& w : words)
        if (w.value == value)
            return QString::fromLatin1(w.word);
    return QString::fromLatin1(words[0].word);
}

template <std::size_t Count> std::optional<int> valueOf(const Word (&words)[Count], const QString& word) {
    for (const Word& w : words)
        if (word == QLatin1String(w.word))
            return w.value;
    return std::nullopt;
}

template <std::size_t Count> QString wordList(const Word (&words)[Count]) {
    QStringList list;
    for (const Word& w : words)
        list << QStringLiteral("\"%1\"").arg(QLatin1String(w.word));
    return list.join(QStringLiteral(", "));
}

// Line and column (from 1) of a byte offset, for a parse error.
std::pair<int, int> lineAndColumn(const QByteArray& bytes, int offset) {
    int line = 1, column = 1;
    for (int i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

// What a reading found wrong: the key (empty for the whole document) and why.
struct Fault {
    QString key;
    QString reason;
};

std::optional<Fault> readFields(const QJsonValue& value, SetupDocument& setup) {
    if (!value.isObject())
        return Fault{QStringLiteral("fields"),
                     QCoreApplication::translate("calidor::files",
                                                 "ce doit être un objet { \"nom\": \"texte\", ... }")};
    const QJsonObject fields = value.toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const QString key = QStringLiteral("fields.") + it.key();
        const std::optional<Field> field = fieldByName(it.key().toStdString());
        if (!field)
            return Fault{key, QCoreApplication::translate("calidor::files",
                                                          "ce n'est pas un paramètre de l'échangeur")};
        if (!it.value().isString())
            return Fault{key,
                         QCoreApplication::translate(
                             "calidor::files",
                             "la valeur doit être un texte entre guillemets, tel qu'on le tape (\"70.00\")")};
        const std::string text = it.value().toString().toStdString();
        const NumberCheck check = checkNumberText(text);
        if (!check.accepted())
            return Fault{key, QCoreApplication::translate("calidor::files", "« %1 » n'est pas un nombre : %2")
                                  .arg(it.value().toString(), QString::fromStdString(refusalReason(check)))};
        setup.text(*field) = text;
    }
    return std::nullopt;
}

std::optional<Fault> readWord(const QJsonValue& value, const QString& key, auto& words, int& target) {
    const std::optional<int> found = value.isString() ? valueOf(words, value.toString()) : std::nullopt;
    if (!found)
        return Fault{key,
                     QCoreApplication::translate("calidor::files", "la valeur doit être l'un des textes %1")
                         .arg(wordList(words))};
    target = *found;
    return std::nullopt;
}

std::optional<Fault> readHeader(const QJsonObject& root) {
    if (root.value(QStringLiteral("format")).toString() != Format)
        return Fault{QStringLiteral("format"),
                     QCoreApplication::translate(
                         "calidor::files", "ce n'est pas un réglage de Calidor (\"format\": \"%1\" attendu)")
                         .arg(Format)};
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble())
        return Fault{
            QStringLiteral("version"),
            QCoreApplication::translate("calidor::files", "la version doit être le nombre %1").arg(Version)};
    if (version.toDouble() != Version)
        return Fault{QStringLiteral("version"),
                     QCoreApplication::translate("calidor::files",
                                                 "version %1 inconnue : ce programme lit la version %2")
                         .arg(QString::number(version.toDouble(), 'g', 17))
                         .arg(Version)};
    return std::nullopt;
}

std::optional<Fault> readKey(const QString& key, const QJsonValue& value, SetupDocument& setup) {
    if (key == QLatin1String("format") || key == QLatin1String("version"))
        return std::nullopt;
    if (key == QLatin1String("title") || key == QLatin1String("note")) {
        if (!value.isString())
            return Fault{key, QCoreApplication::translate("calidor::files",
                                                          "la valeur doit être un texte entre guillemets")};
        (key == QLatin1String("title") ? setup.title : setup.note) = value.toString();
        return std::nullopt;
    }
    if (key == QLatin1String("fields"))
        return readFields(value, setup);
    if (key == QLatin1String("counterCurrent")) {
        if (!value.isBool())
            return Fault{key,
                         QCoreApplication::translate("calidor::files", "la valeur doit être true ou false")};
        setup.counterCurrent = value.toBool();
        return std::nullopt;
    }
    int word = 0;
    if (key == QLatin1String("representation")) {
        auto fault = readWord(value, key, RepresentationWords, word);
        setup.representation = Representation(word);
        return fault;
    }
    if (key == QLatin1String("pace")) {
        auto fault = readWord(value, key, PaceWords, word);
        setup.pace = Pace(word);
        return fault;
    }
    return Fault{key, QCoreApplication::translate("calidor::files", "clé inconnue")};
}

QString refusal(const QString& fileName, const QString& where, const QString& reason) {
    return QCoreApplication::translate("calidor::files", "Le fichier « %1 » n'a pas été ouvert : %2 : %3.")
        .arg(fileName, where, reason);
}

} // namespace

SetupReading readSetup(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > LargestSetupFile)
        return {std::nullopt, QCoreApplication::translate(
                                  "calidor::files",
                                  "Le fichier « %1 » n'a pas été ouvert : il dépasse 1 Mio, ce n'est pas un "
                                  "réglage de Calidor.")
                                  .arg(fileName)};
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(bytes, parse.offset);
        return {
            std::nullopt,
            refusal(
                fileName,
                QCoreApplication::translate("calidor::files", "ligne %1, colonne %2").arg(line).arg(column),
                QCoreApplication::translate("calidor::files", "ce n'est pas du JSON lisible (%1)")
                    .arg(parse.errorString()))};
    }
    if (!document.isObject())
        return {std::nullopt,
                refusal(fileName, QCoreApplication::translate("calidor::files", "le document"),
                        QCoreApplication::translate("calidor::files", "ce doit être un objet JSON { ... }"))};
    const QJsonObject root = document.object();
    SetupDocument setup;
    std::optional<Fault> fault = readHeader(root);
    for (auto it = root.begin(); !fault && it != root.end(); ++it)
        fault = readKey(it.key(), it.value(), setup);
    if (fault)
        return {std::nullopt,
                refusal(fileName, QCoreApplication::translate("calidor::files", "clé « %1 »").arg(fault->key),
                        fault->reason)};
    return {std::move(setup), {}};
}

SetupReading readSetupFile(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (QFileInfo(path).isDir())
        return {std::nullopt,
                QCoreApplication::translate("calidor::files",
                                            "Le fichier « %1 » n'a pas été ouvert : c'est un dossier.")
                    .arg(shown)};
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                QCoreApplication::translate("calidor::files", "Le fichier « %1 » n'a pas été ouvert : %2.")
                    .arg(shown, file.errorString())};
    // One byte past the limit is enough to know it is too large, whatever
    // the file claims its size is (it may grow while it is read).
    const QByteArray bytes = file.read(LargestSetupFile + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt,
                QCoreApplication::translate("calidor::files", "Le fichier « %1 » n'a pas été lu : %2.")
                    .arg(shown, file.errorString())};
    return readSetup(bytes, shown);
}

QByteArray setupBytes(const SetupDocument& setup) {
    QJsonObject fields;
    for (int f = 0; f < FieldCount; ++f)
        fields.insert(QString::fromLatin1(fieldEntry(Field(f)).name), QString::fromStdString(setup.texts[f]));
    QJsonObject root{
        {QStringLiteral("format"), Format},
        {QStringLiteral("version"), Version},
        {QStringLiteral("fields"), fields},
        {QStringLiteral("counterCurrent"), setup.counterCurrent},
        {QStringLiteral("representation"), wordOf(RepresentationWords, int(setup.representation))},
        {QStringLiteral("pace"), wordOf(PaceWords, int(setup.pace))}};
    if (!setup.title.isEmpty())
        root.insert(QStringLiteral("title"), setup.title);
    if (!setup.note.isEmpty())
        root.insert(QStringLiteral("note"), setup.note);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString writeSetupFile(const QString& path, const SetupDocument& setup) {
    return saveAtomically(path, setupBytes(setup));
}

QString overrideField(SetupDocument& setup, const QString& assignment) {
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    const QString name = eq < 0 ? assignment : assignment.left(eq);
    const std::optional<Field> field = fieldByName(name.toStdString());
    if (eq < 0 || !field)
        return QCoreApplication::translate(
                   "calidor::files",
                   "« %1 » : NOM=TEXTE attendu, où NOM est un paramètre (Tec, debc, Lech...)")
            .arg(assignment);
    const std::string text = assignment.mid(eq + 1).toStdString();
    const NumberCheck check = checkNumberText(text);
    if (!check.accepted())
        return QCoreApplication::translate("calidor::files", "%1 : « %2 » n'est pas un nombre : %3")
            .arg(name, assignment.mid(eq + 1), QString::fromStdString(refusalReason(check)));
    setup.text(*field) = text;
    return {};
}

} // namespace calidor::files
