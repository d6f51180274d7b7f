// Set-up files: what goes out comes back, every kind of bad document is
// refused whole with a message that says where and why, and saving never
// leaves a half-written file.
#include "files/atomicsave.h"
#include "files/setupfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

using namespace calidor;
using namespace calidor::files;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SetupDocument everyFieldChanged(bool counterCurrent) {
    SetupDocument setup;
    for (int f = 0; f < FieldCount; ++f)
        setup.texts[f] = " 1" + std::to_string(f) + ",5 "; // blanks and a decimal comma, kept as typed
    setup.counterCurrent = counterCurrent;
    setup.title = QStringLiteral("Échangeur « long » — séance 3");
    setup.note = QStringLiteral("Relevez ε à t = 60 s.\nPuis passez en contre-courant.");
    setup.representation = Representation::EntropyProduction;
    setup.pace = counterCurrent ? Pace::Tenth : Pace::RealTime;
    return setup;
}

TEST(SetupFile, EveryFieldAndBothArrangementsComeBackThroughAFileWithANonAsciiName) {
    QTemporaryDir dir;
    for (bool counter : {false, true}) {
        const SetupDocument setup = everyFieldChanged(counter);
        const QString path = dir.filePath(QStringLiteral("réglage é %1.calidor").arg(counter));
        ASSERT_EQ(writeSetupFile(path, setup), QString());
        const SetupReading back = readSetupFile(path);
        ASSERT_TRUE(back.setup) << back.error.toStdString();
        EXPECT_TRUE(*back.setup == setup) << counter;
    }
}

TEST(SetupFile, MissingFieldsKeepTheirStartUpTextsAndTitleAndNoteAreOptional) {
    const SetupReading r =
        readSetup(R"({"format": "calidor-setup", "version": 1, "fields": {"debc": "0.02"}})",
                  QStringLiteral("x.calidor"));
    ASSERT_TRUE(r.setup) << r.error.toStdString();
    SetupDocument expected;
    expected.text(Field::debcbox) = "0.02";
    EXPECT_TRUE(*r.setup == expected);
    EXPECT_EQ(r.setup->text(Field::tecbox), "70.00");
}

TEST(SetupFile, EachBadDocumentIsRefusedWholeNamingTheFileTheKeyOrLineAndTheReason) {
    const auto doc = [](const char* rest) {
        return QByteArray(R"({"format": "calidor-setup", "version": 1)") + rest + "}";
    };
    const struct {
        QByteArray bytes;
        const char* where;
        const char* why;
    } cases[] = {
        {"{\n  \"format\": \"calidor-setup\",\n  \"version\": 1,,\n}", "ligne 3", "JSON"},
        {"", "ligne 1", "JSON"},
        {"[1, 2]", "le document", "objet"},
        {R"({"format": "autre", "version": 1})", "clé « format »", "pas un réglage"},
        {R"({"version": 1})", "clé « format »", "pas un réglage"},
        {R"({"format": "calidor-setup", "version": 2})", "clé « version »", "version 2 inconnue"},
        {R"({"format": "calidor-setup", "version": "1"})", "clé « version »", "nombre 1"},
        {doc(R"(, "couleur": "bleu")"), "clé « couleur »", "inconnue"},
        {doc(R"(, "fields": {"debc": "0.02", "Tmax": "3"})"), "clé « fields.Tmax »", "pas un paramètre"},
        {doc(R"(, "fields": {"Tec": 70})"), "clé « fields.Tec »", "texte entre guillemets"},
        {doc(R"(, "fields": {"Tec": "7O"})"), "clé « fields.Tec »", "« O »"},
        {doc(R"(, "fields": {"dt": "1e400"})"), "clé « fields.dt »", "trop grand"},
        {doc(R"(, "fields": {"dt": ""})"), "clé « fields.dt »", "vide"},
        {doc(R"(, "fields": ["Tec"])"), "clé « fields »", "objet"},
        {doc(R"(, "counterCurrent": "oui")"), "clé « counterCurrent »", "true ou false"},
        {doc(R"(, "representation": "kW")"), "clé « representation »", "\"powers\", \"entropy\""},
        {doc(R"(, "pace": 10)"), "clé « pace »", "\"tenfold\""},
        {doc(R"(, "title": ["a"])"), "clé « title »", "texte"},
        {doc(R"(, "note": "x", "fields": {"Tec": "60"}, "couleur": 1)"), "clé « couleur »", "inconnue"},
    };
    for (const auto& c : cases) {
        const SetupReading r = readSetup(c.bytes, QStringLiteral("tp3.calidor"));
        const std::string error = r.error.toStdString();
        EXPECT_FALSE(r.setup) << c.bytes.toStdString();
        EXPECT_NE(error.find("« tp3.calidor »"), std::string::npos) << error;
        EXPECT_NE(error.find(c.where), std::string::npos) << error;
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
    }
}

TEST(SetupFile, LargeMissingAndFolderFilesAreRefusedWithoutReadingTooMuch) {
    QTemporaryDir dir;
    const QString large = dir.filePath(QStringLiteral("gros.calidor"));
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Valid JSON all through, so only the size can refuse it.
    file.write(R"({"format": "calidor-setup", "version": 1, "note": ")");
    file.write(QByteArray(LargestSetupFile, 'a'));
    file.write("\"}");
    file.close();
    for (const QString& path : {large, dir.filePath(QStringLiteral("absent.calidor")), dir.path()}) {
        const SetupReading r = readSetupFile(path);
        EXPECT_FALSE(r.setup);
        EXPECT_TRUE(r.error.contains(QDir::toNativeSeparators(path))) << r.error.toStdString();
    }
    EXPECT_TRUE(readSetupFile(large).error.contains(QStringLiteral("1 Mio")));
}

TEST(SetupFile, CommandLineOverridesFollowTheNumberRule) {
    SetupDocument setup;
    EXPECT_EQ(overrideField(setup, QStringLiteral("debc=0,02")), QString());
    EXPECT_EQ(setup.text(Field::debcbox), "0,02");
    for (const char* refused : {"debc", "debc=", "debc=1 000", "vitesse=3", "=3", "Tec=70°"}) {
        const SetupDocument before = setup;
        EXPECT_FALSE(overrideField(setup, QString::fromUtf8(refused)).isEmpty()) << refused;
        EXPECT_TRUE(setup == before) << refused;
    }
}

// Seeded mutations of a good document: every reading ends, with a set-up or
// a reason, never both, never neither.
TEST(SetupFile, MutatedDocumentsNeverCrashOrHang) {
    const QByteArray good = setupBytes(everyFieldChanged(true));
    std::mt19937 random(20261209);
    const char alphabet[] = "{}[]\":,.-+e0123456789 \n\\ut";
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = int(random() % bytes.size());
            switch (random() % 4) {
            case 0:
                bytes[at] = alphabet[random() % (sizeof alphabet - 1)];
                break;
            case 1:
                bytes.remove(at, 1 + int(random() % 16));
                break;
            case 2:
                bytes.insert(at, bytes.mid(int(random() % bytes.size()), int(random() % 64)));
                break;
            default:
                bytes[at] = char(random() % 256);
                break;
            }
        }
        const SetupReading r = readSetup(bytes, QStringLiteral("f.calidor"));
        ASSERT_NE(bool(r.setup), !r.error.isEmpty()) << bytes.toStdString();
    }
}

// Runs a piece of code without root's right to write anywhere, so that a
// read-only folder is read-only for this test too.
template <class Code> void withoutRootRights(Code code) {
    if (geteuid() != 0) {
        code();
        return;
    }
    ASSERT_EQ(setresuid(65534, 65534, 0), 0);
    code();
    ASSERT_EQ(setresuid(0, 0, 0), 0);
}

TEST(AtomicSave, AFailedSaveSaysWhyAndLeavesTheEarlierFileWhole) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("lecture seule é"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/résultats.csv");
    ASSERT_EQ(saveAtomically(path, "earlier\n"), QString());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeOther |
                                          QFileDevice::ExeGroup);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ExeOther |
                                      QFileDevice::ReadOther | QFileDevice::ExeGroup);
    QString error;
    withoutRootRights([&] { error = saveAtomically(path, QByteArray(100000, 'x')); });
    EXPECT_TRUE(error.contains(QStringLiteral("lecture seule"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("résultats.csv"))) << error.toStdString();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readAll(path), "earlier\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("résultats.csv")});

    const QString missing = saveAtomically(dir.filePath(QStringLiteral("absent/x.csv")), "x");
    EXPECT_TRUE(missing.contains(QStringLiteral("n'existe pas"))) << missing.toStdString();
}

} // namespace
