// The command line and the application's identity; the built program run
// with an empty environment, where no window system can be reached.
#include "ui/commandline.h"
#include "ui/startup.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace calidor;

namespace {

// ---------------------------------------------------------------------------
// Parsing: our options, and everything else left to Qt
// ---------------------------------------------------------------------------

TEST(CommandLine, OwnOptionsAndQtOptionsSideBySide) {
    using A = CommandLine::Action;
    const struct {
        QStringList arguments;
        A action;
        bool english;
    } cases[] = {
        {{}, A::Run, false},
        {{"-platform", "offscreen", "-style", "fusion"}, A::Run, false},
        {{"--lang", "en"}, A::Run, true},
        {{"-platform", "xcb", "--lang=en", "-reverse"}, A::Run, true},
        {{"--lang", "en", "--lang", "fr"}, A::Run, false},
        {{"--lang", "fr"}, A::Run, false},
        {{"--help"}, A::Help, false},
        {{"-h", "--lang", "de"}, A::Help, false},
        {{"-style", "fusion", "--version"}, A::Version, false},
        {{"-v"}, A::Version, false},
        {{"--lang", "de"}, A::Error, false},
        {{"--lang"}, A::Error, false},
        {{"--lang="}, A::Error, false},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(QStringList{"calidor"} + c.arguments);
        const std::string where = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << where;
        EXPECT_EQ(line.english, c.english) << where;
    }
}

TEST(CommandLine, RunWithoutAWindow) {
    using A = CommandLine::Action;
    const struct {
        QStringList arguments;
        A action;
    } cases[] = {
        {{"--batch", "a.calidor", "--csv", "a.csv"}, A::Batch},
        {{"--batch=a.calidor", "--csv", "a.csv", "--set", "Tec=60", "--set", "debc=0,02", "--dialect", "fr",
          "--profiles", "p.csv", "--lang", "en"},
         A::Batch},
        {{"--batch", "a.calidor"}, A::Error},          // nowhere to write
        {{"--csv", "a.csv"}, A::Error},                // nothing to run
        {{"--batch", "a.calidor", "--csv"}, A::Error}, // a value missing
        {{"--batch", "a.calidor", "--csv", "a.csv", "--dialect", "de"}, A::Error},
        {{"--batch", "a.calidor", "--csv", "a.csv", "-platform", "xcb"}, A::Error},
        {{"--batch", "a.calidor", "--csv", "a.csv", "b.calidor"}, A::Error},
        {{"--batch", "a.calidor", "--batch", "b.calidor", "--csv", "a.csv"}, A::Error},
        {{"--batch", "", "--csv", "a.csv"}, A::Error},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCommandLine(QStringList{"calidor"} + c.arguments).action, c.action)
            << c.arguments.join(' ').toStdString();
    const CommandLine full = parseCommandLine(QStringList{"calidor"} + cases[1].arguments);
    EXPECT_EQ(full.batch.setupPath, "a.calidor");
    EXPECT_EQ(full.batch.profilesPath, "p.csv");
    EXPECT_EQ(full.batch.overrides, (QStringList{"Tec=60", "debc=0,02"}));
    EXPECT_TRUE(full.batch.frenchDialect);
    EXPECT_TRUE(full.english);
}

// ---------------------------------------------------------------------------
// Identity
// ---------------------------------------------------------------------------

TEST(Identity, NamesVersionOrganisationAndIcon) {
    setApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "calidor");
    EXPECT_EQ(QCoreApplication::applicationVersion(), "1.2");
    EXPECT_EQ(QCoreApplication::organizationName(), "Kestrel");
    EXPECT_EQ(QCoreApplication::organizationDomain(), "kestrel.example.org");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.example.kestrel.Calidor");

    const QIcon icon = applicationIcon();
    for (int size : {16, 32, 48, 256}) {
        const QPixmap pixmap = icon.pixmap(size, size);
        EXPECT_EQ(pixmap.size(), QSize(size, size)) << size;
        // Opaque in the middle (the wall), transparent in the rounded corner.
        const QImage image = pixmap.toImage();
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 32) << size;
    }
}

// ---------------------------------------------------------------------------
// The built program with no window system
// ---------------------------------------------------------------------------

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome runProgram(const QStringList& arguments, const QProcessEnvironment& environment = {}) {
    QProcess process;
    process.setProcessEnvironment(environment); // empty: no DISPLAY, no QT_QPA_PLATFORM
    process.start(QStringLiteral(CALIDOR_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit); // no abort
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(Program, HelpAndVersionNeedNoDisplay) {
    const Outcome help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--lang en|fr")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const Outcome version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("calidor 1.2\n")) << version.out.toStdString();

    const Outcome wrong = runProgram({"--lang", "xx"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.err.contains("xx"));
}

TEST(Program, WithoutADisplaySaysSoInOneLine) {
    const QString line = noDisplayMessage();
    // No display named at all: the one line and nothing else.
    const Outcome none = runProgram({});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, line);

    // A platform that cannot start (the X server does not answer): Qt's
    // reasons, then the same line, and a failure status instead of an abort.
    QProcessEnvironment unreachable;
    unreachable.insert("DISPLAY", ":4077");
    const Outcome failed = runProgram({}, unreachable);
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.endsWith(line)) << failed.err.toStdString();
}

TEST(Program, RunsASetUpWithoutADisplayAndSaysHowItEnded) {
    QTemporaryDir dir;
    const QString setup = dir.filePath("séance é.calidor");
    QFile file(setup);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "calidor-setup", "version": 1, "fields": {"tmax": "2"}})");
    file.close();
    const QString csv = dir.filePath("résultats.csv");

    const Outcome done = runProgram({"--batch", setup, "--csv", csv});
    EXPECT_EQ(done.status, 0) << done.err.toStdString();
    EXPECT_TRUE(QFile::exists(csv));
    EXPECT_TRUE(QFile::exists(dir.filePath("résultats-profils.csv")));

    const Outcome fault = runProgram({"--batch", setup, "--csv", csv, "--set", "dt=0.05", "--set", "tmax=9"});
    EXPECT_EQ(fault.status, 3);
    EXPECT_TRUE(fault.err.contains("t = 0.100 s")) << fault.err.toStdString();

    for (const QStringList& bad :
         {QStringList{"--batch", dir.filePath("absent.calidor"), "--csv", csv},
          QStringList{"--batch", setup, "--csv", csv, "--set", "Tec=chaud"},
          QStringList{"--batch", setup, "--csv", dir.filePath("absent/r.csv")}, QStringList{"--batch", setup},
          QStringList{"--batch", setup, "--csv", setup},
          QStringList{"--batch", setup, "--csv", csv, "--profiles", csv}}) {
        const Outcome refused = runProgram(bad);
        EXPECT_EQ(refused.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(refused.err.startsWith("calidor : ")) << refused.err.toStdString();
    }
    // Refusing an output never costs the set-up or an earlier record.
    QFile kept(setup);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().startsWith(R"({"format": "calidor-setup")"));
    QFile record(csv);
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_TRUE(record.readAll().startsWith("# Calidor"));
}

} // namespace
