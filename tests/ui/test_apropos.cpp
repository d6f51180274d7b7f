// The About dialog and the program's start-up: the dialog alone first, the
// main window once it is closed, the same dialog again from the menu, and the
// three links handed to the desktop's opener.
#include "ui/apropos.h"
#include "ui/shellopen.h"
#include "ui/startup.h"
#include "ui/visu.h"
#include "widgets/shapedbutton.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace calidor;

namespace {

const AboutAddresses TestAddresses{QStringLiteral("auteur@exemple.org"),
                                   QStringLiteral("https://exemple.org/outils"),
                                   QStringLiteral("/usr/share/doc/calidor/calidor-modele.pdf")};

TFapropos* visibleAboutDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Fapropos") && w->isVisible())
            return static_cast<TFapropos*>(w);
    return nullptr;
}

// Runs `check` once a modal About dialog shows, then closes it with FERMER.
void whenAboutShows(const std::function<void(TFapropos&)>& check) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        // Offscreen, a shown window becomes active a little later: checks
        // of the focus wait for it.
        if (TFapropos* dialog = visibleAboutDialog();
            dialog && QApplication::activeModalWidget() == dialog && QApplication::activeWindow() == dialog) {
            poll->stop();
            poll->deleteLater();
            check(*dialog);
            QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("ShapedButton2")), Qt::LeftButton);
        }
    });
    poll->start(10);
}

class OpenerSpy {
public:
    OpenerSpy() {
        setShellOpener([this](const QString& address) {
            opened << address;
            return true;
        });
    }
    ~OpenerSpy() { setShellOpener({}); }
    QStringList opened;
};

void clickCentre(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

// --- The dialog ------------------------------------------------------------

TEST(AboutDialog, ControlsAsDesigned) {
    TFapropos dialog(nullptr, false, TestAddresses);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("A propos..."));
    EXPECT_EQ(dialog.size(), QSize(273, 128));
    EXPECT_EQ(dialog.pos(), QPoint(213, 216));
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } labels[] = {
        {"Image1", QRect(0, 0, 273, 128), nullptr},
        {"Label1", QRect(32, 0, 213, 26), "Echangeur instationnaire"},
        {"Image2", QRect(0, 48, 57, 41), nullptr},
        {"Image3", QRect(240, 56, 33, 33), nullptr},
        {"Label2", QRect(64, 72, 57, 15), "Mars 2004"},
        {"Label3", QRect(208, 74, 25, 15), "V 1.2"},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(l.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), l.geometry);
        if (l.text)
            EXPECT_EQ(label->text(), QString::fromUtf8(l.text));
        else
            EXPECT_FALSE(label->pixmap().isNull());
    }
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Image1"))->hasScaledContents());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Image2"))->pixmap().size(), QSize(49, 42));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Image3"))->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Image2"))->toolTip(),
              QStringLiteral("E-mail : auteur@exemple.org"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Image3"))->toolTip(),
              QStringLiteral("D'autres outils disponibles sur https://exemple.org/outils"));
    for (const char* name : {"Image2", "Image3", "Label2", "Label3"})
        EXPECT_EQ(dialog.findChild<QLabel*>(QString::fromLatin1(name))->cursor().shape(),
                  Qt::PointingHandCursor)
            << name;
    const QColor olive(128, 128, 0);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
              olive);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->font().pixelSize(), 19);
}

TEST(AboutDialog, TwoOvalButtonsShareTheirSettings) {
    TFapropos dialog(nullptr, false, TestAddresses);
    const struct {
        const char* name;
        QRect geometry;
        const char* caption;
        int fontPixels;
    } buttons[] = {{"ShapedButton2", QRect(96, 34, 89, 30), "FERMER", 11},
                   {"ShapedButton1", QRect(152, 98, 121, 30), "Pour en savoir plus...", 9}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = dialog.findChild<TShapedButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), b.geometry);
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->font().pixelSize(), b.fontPixels);
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->ButtonKind(), TShapedButton::bkOval);
        EXPECT_EQ(button->ButtonWidth(), b.geometry.width());
        EXPECT_EQ(button->ButtonHeight(), b.geometry.height());
        EXPECT_EQ(button->Caption3dKind(), TShapedButton::ckEmbossed);
        EXPECT_EQ(button->GradientKind(), TShapedButton::gkLinear);
        EXPECT_EQ(button->GradientAngle(), 0);
        EXPECT_EQ(button->Button3DKind(), TShapedButton::dk3D);
        EXPECT_EQ(button->ButtonDepth(), 2);
        EXPECT_FALSE(button->Rotated());
        EXPECT_EQ(button->MainBitmap().size(), QSize(282, 196));
        EXPECT_EQ(button->MainBitmap().depth(), 24);
        EXPECT_TRUE(button->OnEnterBitmap().isNull());
    }
    // FERMER first in the tab order.
    auto* close = dialog.findChild<QWidget*>(QStringLiteral("ShapedButton2"));
    EXPECT_EQ(close->nextInFocusChain(), dialog.findChild<QWidget*>(QStringLiteral("ShapedButton1")));
}

TEST(AboutDialog, LinksGoToTheOpenerAndLeaveTheDialogOpen) {
    OpenerSpy spy;
    AboutAddresses addresses = TestAddresses;
    addresses.modelDocument = builtInAddresses().modelDocument; // a document that is there
    TFapropos dialog(nullptr, false, addresses);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    clickCentre(dialog.findChild<QLabel*>(QStringLiteral("Image2")));
    clickCentre(dialog.findChild<QLabel*>(QStringLiteral("Image3")));
    clickCentre(dialog.findChild<QLabel*>(QStringLiteral("Label2")));
    clickCentre(dialog.findChild<QLabel*>(QStringLiteral("Label3")));
    clickCentre(dialog.findChild<QWidget*>(QStringLiteral("ShapedButton1")));
    clickCentre(dialog.findChild<QLabel*>(QStringLiteral("Label1"))); // the title does nothing
    EXPECT_EQ(spy.opened,
              QStringList({QStringLiteral("mailto:auteur@exemple.org"),
                           QStringLiteral("https://exemple.org/outils"),
                           QStringLiteral("https://exemple.org/outils"),
                           QStringLiteral("https://exemple.org/outils"), addresses.modelDocument}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(AboutDialog, FixedSizeWithNoMaximiseButtonAndKeptOnASmallScreen) {
    TFapropos dialog(nullptr, false, TestAddresses);
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));

    const QRect large(0, 0, 1280, 1024), small(0, 0, 320, 240); // 640 x 480 at 200 %
    const QRect designed(213, 196, 273, 148);                   // with a 20-pixel title bar
    EXPECT_EQ(positionOnScreen(designed, large), designed.topLeft()) << "fits: stays where designed";
    EXPECT_EQ(positionOnScreen(designed, small), QPoint(47, 92));
    EXPECT_EQ(positionOnScreen(designed.translated(-300, -300), small), QPoint(0, 0));
    EXPECT_EQ(positionOnScreen(designed, QRect(100, 50, 200, 100)), QPoint(100, 50))
        << "larger than the screen: the top left corner, with the title and FERMER, in sight";

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.keepOnScreen(small);
    EXPECT_TRUE(small.contains(dialog.frameGeometry())) << "the whole dialog within the small screen";
    QWidget* close = dialog.findChild<QWidget*>(QStringLiteral("ShapedButton2"));
    EXPECT_TRUE(small.contains(QRect(close->mapToGlobal(QPoint(0, 0)), close->size())));
    EXPECT_EQ(dialog.size(), QSize(273, 128));
}

TEST(AboutDialog, TheDocumentThatCannotBeOpenedIsExplainedWithItsPath) {
    QStringList asked;
    bool opens = false;
    setShellOpener([&](const QString& address) {
        asked << address;
        return opens;
    });
    const auto message = [](QWidget& parent) {
        auto* box = parent.findChild<QMessageBox*>(QStringLiteral("documentNotOpened"));
        const QString text = box ? box->text() : QString();
        delete box;
        return text;
    };
    AboutAddresses addresses = TestAddresses;
    addresses.modelDocument = builtInAddresses().modelDocument;
    TFapropos dialog(nullptr, false, addresses);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    clickCentre(dialog.findChild<QWidget*>(QStringLiteral("ShapedButton1"))); // no PDF reader
    const QString noReader = message(dialog);
    EXPECT_TRUE(noReader.contains(QDir::toNativeSeparators(addresses.modelDocument)))
        << noReader.toStdString();
    EXPECT_TRUE(noReader.contains(QStringLiteral("PDF")));

    opens = true;
    clickCentre(dialog.findChild<QWidget*>(QStringLiteral("ShapedButton1")));
    EXPECT_TRUE(message(dialog).isEmpty()) << "opened: nothing to say";

    // A document missing from where it was installed is not handed on.
    addresses.modelDocument = QStringLiteral("/nowhere/calidor-modele.pdf");
    TFapropos withoutDocument(nullptr, false, addresses);
    withoutDocument.ShapedButton1Click();
    EXPECT_TRUE(message(withoutDocument).contains(QStringLiteral("/nowhere/calidor-modele.pdf")));
    EXPECT_EQ(asked.size(), 2);
    setShellOpener({});
}

TEST(AboutDialog, TheModelDocumentShipsWithTheProgram) {
    const QString document = builtInAddresses().modelDocument;
    EXPECT_TRUE(document.endsWith(QStringLiteral("calidor-modele.pdf"))) << document.toStdString();
    EXPECT_TRUE(QFileInfo::exists(document)) << document.toStdString();
    EXPECT_FALSE(builtInAddresses().email.isEmpty());
    EXPECT_TRUE(builtInAddresses().toolsPage.startsWith(QStringLiteral("https://")));
}

// --- Start-up and the menu -------------------------------------------------------

TEST(StartUpOrder, TheDialogShowsAloneThenTheMainWindowAndTheMenuReopensIt) {
    auto model = std::make_unique<ModelState>();
    TForm1 form(*model);
    bool checkedAtStart = false;
    whenAboutShows([&](TFapropos& dialog) {
        checkedAtStart = true;
        EXPECT_FALSE(form.isVisible()) << "the main window waits for the dialog";
        EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QWidget*>(QStringLiteral("ShapedButton2")));
        EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("Tefbox"))->text(), QStringLiteral("2.00"))
            << "FormCreate ran before";
    });
    TFapropos about(&form, true, TestAddresses);
    EXPECT_TRUE(checkedAtStart);
    EXPECT_FALSE(about.isVisible());
    form.setAboutDialog(&about);
    form.show();
    EXPECT_TRUE(form.isVisible());

    // "A Propos" shows the same instance, as often as asked.
    for (int i = 0; i < 2; ++i) {
        TFapropos* shown = nullptr;
        whenAboutShows([&](TFapropos& dialog) { shown = &dialog; });
        form.findChild<QAction*>(QStringLiteral("APropos1"))->trigger();
        EXPECT_EQ(shown, &about);
        EXPECT_FALSE(about.isVisible());
    }
}

TEST(StartUpOrder, TheTitleBarClosesTheDialogToo) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll] {
        if (TFapropos* dialog = visibleAboutDialog()) {
            poll->stop();
            poll->deleteLater();
            dialog->close();
        }
    });
    poll->start(10);
    TFapropos about(nullptr, true, TestAddresses);
    EXPECT_FALSE(about.isVisible());
}

TEST(StartUpOrder, TheProgramRunsAndQuitsWithStatusZero) {
    bool mainWindowShown = false;
    whenAboutShows([](TFapropos&) {});
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Form1") && w->isVisible() && !visibleAboutDialog()) {
                poll->stop();
                poll->deleteLater();
                mainWindowShown = true;
                w->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); // a run under way
                QTest::qWait(50);
                w->findChild<QPushButton*>(QStringLiteral("Button4"))->click(); // "quiter"
                return;
            }
    });
    poll->start(10);
    EXPECT_EQ(runCalidor(), 0);
    EXPECT_TRUE(mainWindowShown);
}
