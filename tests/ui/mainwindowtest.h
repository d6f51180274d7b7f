#pragma once
// A main window of its own for each test, shown on the offscreen platform and
// driven through its real widgets: typing into fields, clicking buttons and
// the check box, moving sliders with the keyboard, the mouse or a drag.

#include "ui/visu.h"

#include "charts/chartview.h"
#include "charts/series.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace calidor::test {

/// The faces that "Comic Sans MS" may resolve to.
inline const char* const ComicFamilies[] = {"Comic Neue", "Comic Sans MS"};

/// A slider, the field it is coupled to, and the parameter they set.
struct Coupling {
    const char* slider;
    const char* field;
    double ModelParameters::*parameter;
};
inline const Coupling ColdInlet{"TrackBar_TEF", "Tefbox", &ModelParameters::Tef};
inline const Coupling HotInlet{"TrackBar_TEC", "tecbox", &ModelParameters::Tec};
inline const Coupling ColdFlow{"TrackBar_debf", "debfbox", &ModelParameters::debf};
inline const Coupling HotFlow{"TrackBar_debc", "debcbox", &ModelParameters::debc};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        model = std::make_unique<ModelState>();
        form = std::make_unique<TForm1>(*model);
        form->setMessageSink([this](const QString& message) { messages << message; });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override {
        form.reset();
        model.reset();
    }

    template <class T = QWidget> T* control(const char* name) const {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    QSlider* slider(const char* name) const { return control<QSlider>(name); }
    QCheckBox* checkBox() const { return control<QCheckBox>("CheckBox1"); }

    /// Selects the whole text of a field and types `text` over it, key by key.
    static void typeInto(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        ASSERT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(edit, c.toLatin1());
            else // no key code of its own: a key event that carries the character
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        ASSERT_EQ(edit->text(), text) << edit->objectName().toStdString();
    }
    void typeInto(const char* name, const QString& text) const { typeInto(field(name), text); }

    /// Selects the whole text of a field and pastes `text` over it (Ctrl+V):
    /// how a very long text gets into a field.
    static void pasteInto(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(edit->text(), text) << edit->objectName().toStdString();
    }

    /// A coupled slider and field once a value was taken: the slider at
    /// `position`, the field reading `text`, the model holding `value`.
    void expectTaken(const Coupling& c, int position, const char* text, double value) const {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(slider(c.slider)->value(), position);
        EXPECT_EQ(field(c.field)->text(), QString::fromLatin1(text));
        EXPECT_EQ(model->params.*c.parameter, value);
    }

    /// Presses "ACTUALISE" with the mouse.
    void actualise() const { QTest::mouseClick(control<QPushButton>("Button5"), Qt::LeftButton); }

    /// What a drag that ends at `position` does to a slider: press on the
    /// handle, moves (tracked: each one changes the value), release.
    static void dragTo(QSlider* s, int position) {
        ASSERT_NE(s, nullptr);
        s->setSliderDown(true);
        s->setSliderPosition(position);
        s->setSliderDown(false);
    }

    /// The centre of a slider's handle, in the slider's coordinates.
    static QPoint handleCentre(QSlider* s) {
        QStyleOptionSlider option;
        option.initFrom(s);
        option.orientation = s->orientation();
        option.minimum = s->minimum();
        option.maximum = s->maximum();
        option.sliderPosition = s->sliderPosition();
        option.sliderValue = s->value();
        option.singleStep = s->singleStep();
        option.pageStep = s->pageStep();
        option.tickPosition = s->tickPosition();
        option.tickInterval = s->tickInterval();
        option.upsideDown = s->invertedAppearance();
        option.subControls = QStyle::SC_All;
        return s->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, s).center();
    }

    std::unique_ptr<ModelState> model;
    std::unique_ptr<TForm1> form;
    QStringList messages; // what the fault message box would have shown
};

/// The main window made the active window, as shortcuts need it, with its
/// actions found by name.
class ActiveMainWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    QAction* action(const char* name) const { return control<QAction>(name); }
};

} // namespace calidor::test
