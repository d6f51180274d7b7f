// The main window and the About dialog as desktop citizens: their designed
// look under a dark desktop palette, what assistive technologies and tooltips
// say about each control, the language of Qt's own texts and the English
// catalogue, and the scrolling on a screen smaller than the window.
#include "charts/chartview.h"
#include "model/numbertext.h"
#include "pictures/pictures.h"
#include "tests/common/startup_expectations.h"
#include "ui/apropos.h"
#include "ui/language.h"
#include "ui/shellopen.h"
#include "ui/visu.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace calidor;
using calidor::testing::FieldNames;
using calidor::testing::SliderNames;

namespace {

const char* const ChartNames[] = {"Chart1", "Chart2", "Chart3"};

QPalette darkPalette() {
    QPalette dark;
    const QColor window(53, 53, 53), base(35, 35, 35);
    for (auto [role, colour] : {std::pair{QPalette::Window, window},
                                {QPalette::Base, base},
                                {QPalette::AlternateBase, window},
                                {QPalette::Button, window},
                                {QPalette::WindowText, QColor(Qt::white)},
                                {QPalette::Text, QColor(Qt::white)},
                                {QPalette::ButtonText, QColor(Qt::white)},
                                {QPalette::Light, QColor(90, 90, 90)},
                                {QPalette::Mid, QColor(40, 40, 40)},
                                {QPalette::Dark, QColor(30, 30, 30)}})
        dark.setColor(role, colour);
    return dark;
}

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast of a colour against any pixel of the charts' paper.
double contrastOnPaper(const QColor& text) {
    const QImage paper = QImage(pictures::chartPaper()).convertToFormat(QImage::Format_RGB32);
    double lowest = 100;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x)
            lowest = std::min(lowest, contrast(text, QColor(paper.pixel(x, y))));
    return lowest;
}

std::unique_ptr<TForm1> shownForm(ModelState& model) {
    auto form = std::make_unique<TForm1>(model);
    form->show();
    // Grabs compared with each other are taken in the same state: active.
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
}

std::unique_ptr<TFapropos> shownAbout() {
    auto about = std::make_unique<TFapropos>(nullptr, false,
                                             AboutAddresses{QStringLiteral("a@exemple.org"),
                                                            QStringLiteral("https://exemple.org"),
                                                            QStringLiteral("/tmp/modele.pdf")});
    about->show();
    about->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(about.get()));
    return about;
}

// What the window shows, as red, green and blue values (a grab may carry the
// colour space of a picture it shows, which QImage's comparison counts).
std::vector<QRgb> pixels(QWidget* w) {
    const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> values;
    values.reserve(static_cast<size_t>(image.width()) * image.height() + 2);
    values.push_back(static_cast<QRgb>(image.width()));
    values.push_back(static_cast<QRgb>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            values.push_back(image.pixel(x, y) & 0xffffffu);
    return values;
}

QString accessibleText(QWidget* w, QAccessible::Text what) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(what) : QString();
}

} // namespace

// --- Any theme --------------------------------------------------------------

TEST(AnyTheme, BothWindowsLookAsDesignedUnderADarkDesktopPalette) {
    const QPalette desktop = QApplication::palette();
    ModelState lightModel, darkModel;
    const auto lightForm = pixels(shownForm(lightModel).get());
    const auto lightAbout = pixels(shownAbout().get());

    QApplication::setPalette(darkPalette());
    auto form = shownForm(darkModel);
    EXPECT_TRUE(pixels(form.get()) == lightForm) << "the main window's pixels";
    auto about = shownAbout();
    EXPECT_TRUE(pixels(about.get()) == lightAbout) << "the About dialog's pixels";

    // What a reader gets: field texts on their fields, chart texts on the
    // paper, the other controls' texts on the window or on their buttons.
    for (const char* name : FieldNames) {
        auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_GE(contrast(field->palette().color(QPalette::Text), field->palette().color(QPalette::Base)),
                  3.0)
            << name;
    }
    for (const char* name : ChartNames) {
        auto* chart = form->findChild<charts::ChartView*>(QString::fromLatin1(name));
        ASSERT_NE(chart, nullptr) << name;
        EXPECT_GE(contrastOnPaper(chart->titleColor()), 4.5) << name << " title";
        EXPECT_GE(contrastOnPaper(chart->palette().color(QPalette::WindowText)), 4.5) << name << " ticks";
    }
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QPalette& p = w->palette();
        if (qobject_cast<QAbstractButton*>(w) && !w->inherits("QPushButton")) {
            EXPECT_GE(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)), 4.5)
                << w->objectName().toStdString();
        }
        if (w->inherits("QPushButton") || w->inherits("QMenuBar")) {
            EXPECT_GE(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)), 4.5)
                << w->objectName().toStdString();
        }
    }
    QApplication::setPalette(desktop);
}

// --- Accessibility and tooltips ---------------------------------------------

TEST(Accessibility, EveryFocusableControlIsNamedAndFieldsAreNamedAfterTheirLabels) {
    ModelState model;
    auto form = shownForm(model);
    int focusable = 0;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(form.get()))
            continue;
        ++focusable;
        EXPECT_FALSE(accessibleText(w, QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_GE(focusable, 30); // 18 fields, 4 sliders, 5 buttons, the check box, 2 radio items
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (auto* field = qobject_cast<QLineEdit*>(label->buddy())) {
            EXPECT_EQ(accessibleText(field, QAccessible::Name), label->text());
            EXPECT_FALSE(field->toolTip().isEmpty()) << field->objectName().toStdString();
        }
    }
    for (const char* name : FieldNames)
        EXPECT_NE(form->findChild<QLineEdit*>(QString::fromLatin1(name))->accessibleName(), QString())
            << name;
    for (const char* name : SliderNames) {
        auto* slider = form->findChild<QSlider*>(QString::fromLatin1(name));
        EXPECT_FALSE(slider->toolTip().isEmpty()) << name;
        EXPECT_FALSE(accessibleText(slider, QAccessible::Description).isEmpty()) << name;
    }
    for (const char* name : ChartNames) {
        auto* chart = form->findChild<charts::ChartView*>(QString::fromLatin1(name));
        EXPECT_EQ(accessibleText(chart, QAccessible::Name), chart->title()) << name;
        EXPECT_FALSE(accessibleText(chart, QAccessible::Description).isEmpty()) << name;
    }
    form->setChartTitle(ChartId::Chart2, QStringLiteral("Production entropique totale : kW/K"));
    EXPECT_EQ(accessibleText(form->findChild<QWidget*>(QStringLiteral("Chart2")), QAccessible::Name),
              QStringLiteral("Production entropique totale : kW/K"));
}

// The tooltip of a slider and of its field gives the values the slider
// reaches: those that the field shows with the slider at each end.
TEST(Tooltips, SliderRangesAreWhatTheSlidersReach) {
    ModelState model;
    auto form = shownForm(model);
    const struct {
        const char* slider;
        const char* field;
    } pairs[] = {{"TrackBar_TEF", "Tefbox"},
                 {"TrackBar_TEC", "tecbox"},
                 {"TrackBar_debf", "debfbox"},
                 {"TrackBar_debc", "debcbox"}};
    const QRegularExpression range(QStringLiteral("de ([0-9.]+) à ([0-9.]+) (°C|kg/s)"));
    for (const auto& pair : pairs) {
        auto* slider = form->findChild<QSlider*>(QString::fromLatin1(pair.slider));
        auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(pair.field));
        const QRegularExpressionMatch match = range.match(slider->toolTip());
        ASSERT_TRUE(match.hasMatch()) << slider->toolTip().toStdString();
        EXPECT_EQ(field->toolTip(), slider->toolTip());
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        EXPECT_EQ(textToNumber(match.captured(1).toStdString()), textToNumber(field->text().toStdString()))
            << pair.field << " at the slider's lowest: " << field->text().toStdString();
        QTest::keyClick(slider, Qt::Key_End);
        EXPECT_EQ(textToNumber(match.captured(2).toStdString()), textToNumber(field->text().toStdString()))
            << pair.field << " at the slider's highest: " << field->text().toStdString();
    }
    EXPECT_TRUE(form->findChild<QWidget*>(QStringLiteral("debfbox"))
                    ->toolTip()
                    .contains(QStringLiteral("de 0.0015 à 0.03 kg/s")));
}

TEST(Accessibility, AboutPictureLinksWorkFromTheKeyboardWithAFocusCueOnlyWhenFocused) {
    QStringList opened;
    setShellOpener([&](const QString& address) {
        opened << address;
        return true;
    });
    auto about = shownAbout();
    const auto rest = pixels(about.get());
    QWidget* close = about->findChild<QWidget*>(QStringLiteral("ShapedButton2"));
    auto* mail = about->findChild<QLabel*>(QStringLiteral("Image2"));
    auto* globe = about->findChild<QLabel*>(QStringLiteral("Image3"));
    EXPECT_FALSE(accessibleText(mail, QAccessible::Name).isEmpty());
    EXPECT_FALSE(accessibleText(globe, QAccessible::Name).isEmpty());
    for (const char* name : {"ShapedButton1", "ShapedButton2"})
        EXPECT_FALSE(
            accessibleText(about->findChild<QWidget*>(QString::fromLatin1(name)), QAccessible::Description)
                .isEmpty());

    about->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.get()));
    close->setFocus();
    QTest::keyClick(about.get(), Qt::Key_Tab);
    QTest::keyClick(about.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), mail);
    QTest::keyClick(about.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), globe);
    mail->setFocus(Qt::TabFocusReason);
    const auto focused = pixels(about.get());
    EXPECT_TRUE(focused != rest) << "a visible focus cue";
    QTest::keyClick(mail, Qt::Key_Return);
    QTest::keyClick(globe, Qt::Key_Space);
    EXPECT_EQ(opened,
              QStringList({QStringLiteral("mailto:a@exemple.org"), QStringLiteral("https://exemple.org")}));
    globe->clearFocus();
    mail->clearFocus();
    close->setFocus();
    EXPECT_EQ(pixels(about.get()), rest) << "the cue goes with the focus";
    setShellOpener({});
}

// --- Languages --------------------------------------------------------------

TEST(Languages, QtTextsAreFrenchAndTheEnglishCatalogueSwitchesTheCaptions) {
    ASSERT_TRUE(installTranslations(false));
    ModelState model;
    {
        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        EXPECT_TRUE(texts.contains(QStringLiteral("Copier"))) << texts.join(u',').toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Coller"))) << texts.join(u',').toStdString();
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')),
                  QStringLiteral("Annuler"));
    }

    ASSERT_TRUE(installTranslations(true));
    {
        TForm1 form(model);
        EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("Button1"))->text(), QStringLiteral("Start"));
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label13"))->text(),
                  QStringLiteral("Flow cold (kg/s)"));
        EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("debfbox"))
                        ->toolTip()
                        .startsWith(QStringLiteral("Mass flow")));
        form.setChartTitle(ChartId::Chart2, QStringLiteral("Puissances (Entrée/Sortie) : kW"));
        EXPECT_EQ(form.findChild<charts::ChartView*>(QStringLiteral("Chart2"))->title(),
                  QStringLiteral("Heat rates (inlet/outlet): kW"));
        TFapropos about(nullptr, false);
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About..."));
        EXPECT_EQ(form.findChild<QAction*>(QStringLiteral("paceRealTime"))->text(),
                  QStringLiteral("Real time"));
        EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Bilan"))->windowTitle(),
                  QStringLiteral("Balance and theory"));
        // Named by a helper outside any class: the catalogue must hold it under the window's context.
        EXPECT_EQ(form.findChild<charts::ChartView*>(QStringLiteral("Chart1"))
                      ->series(QStringLiteral("Series1"))
                      ->displayName(),
                  QStringLiteral("Hot fluid"));
        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        EXPECT_EQ(menu->actions().at(0)->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0),
                  QStringLiteral("Undo"));
    }

    ASSERT_TRUE(installTranslations(false));
    TForm1 form(model);
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("Button1"))->text(), QStringLiteral("Marche"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label13"))->text(), QStringLiteral("deb F (kg/s)"));
    EXPECT_EQ(form.findChild<QAction*>(QStringLiteral("paceRealTime"))->text(), QStringLiteral("Temps réel"));
    EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("Bilan"))->windowTitle(),
              QStringLiteral("Bilan et théorie"));
}

// --- Small screens ----------------------------------------------------------

TEST(SmallScreen, ContentsScrollOnlyWhenTheScreenIsSmallerThanTheWindow) {
    ModelState model;
    auto form = shownForm(model);
    QWidget* client = form->centralWidget();
    const QSize designed = form->size();
    const auto rest = pixels(form.get());

    form->fitToScreen(QRect(0, 0, 1024, 768));
    EXPECT_FALSE(form->scrolls());
    EXPECT_EQ(form->centralWidget(), client);

    form->fitToScreen(QRect(0, 0, 640, 480));
    ASSERT_TRUE(form->scrolls());
    QApplication::processEvents();
    EXPECT_LE(form->width(), 640);
    EXPECT_LE(form->height(), 480);
    auto* scroll = qobject_cast<QScrollArea*>(form->centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->widget(), client);
    // The furthest chart can be brought into view.
    QWidget* chart2 = client->findChild<QWidget*>(QStringLiteral("Chart2"));
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    const QRect chartInView(chart2->mapTo(scroll->viewport(), QPoint(0, 0)), chart2->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(chartInView));

    form->fitToScreen(QRect(0, 0, 1280, 1024));
    EXPECT_FALSE(form->scrolls());
    EXPECT_EQ(form->centralWidget(), client);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), designed);
    EXPECT_EQ(pixels(form.get()), rest);
}
