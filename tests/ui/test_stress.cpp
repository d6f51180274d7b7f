// A randomised session on the real main window: buttons, sliders, the check
// box, the fields, the pace, one refresh forward and the lesson scenarios
// are driven while runs compute, for a few seconds. The suite runs it under
// ThreadSanitizer and AddressSanitizer too.
#include "charts/chartview.h"
#include "run/modellock.h"
#include "tests/common/settle.h"
#include "tests/common/startup_expectations.h"
#include "ui/visu.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

using namespace calidor;
using calidor::testing::FieldNames;
using calidor::testing::SliderNames;

namespace {

constexpr int SessionMilliseconds = test::sessionMilliseconds(6000, 15000);

void settle(int milliseconds) {
    test::settle(milliseconds, 2);
}

// Mostly sensible values, sometimes ones that fault (a zero mass, too large a
// time step, an absolute temperature below zero) or are not numbers at all.
QString randomText(std::mt19937& random, const QString& field) {
    std::uniform_int_distribution<int> pick(0, 19);
    const int p = pick(random);
    if (p == 0)
        return QStringLiteral("0");
    if (p == 1)
        return QStringLiteral("abc");
    if (p == 2 && field == QLatin1String("dtbox"))
        return QStringLiteral("0.05");
    if (p == 3 && field == QLatin1String("tinitbox"))
        return QStringLiteral("-300");
    if (field == QLatin1String("Tmmaxbox"))
        return QString::number(std::uniform_int_distribution<int>(0, 4)(random));
    if (field == QLatin1String("dtbox"))
        return QStringLiteral("0.004");
    return QString::number(std::uniform_real_distribution<double>(0.01, 90)(random), 'f', 3);
}

bool seriesSound(const charts::Series& s) {
    for (int i = 0; i < s.count(); ++i) {
        if (!std::isfinite(s.x(i)) || !std::isfinite(s.y(i)))
            return false;
        if (i > 0 && s.x(i) < s.x(i - 1))
            return false;
    }
    return true;
}

} // namespace

TEST(Stress, RandomSessionOnTheMainWindow) {
    auto model = std::make_unique<ModelState>();
    auto form = std::make_unique<TForm1>(*model);
    int messages = 0;
    form->setMessageSink([&](const QString&) { ++messages; });
    form->show();
    form->findChild<QLineEdit*>(QStringLiteral("Tmmaxbox"))->setText(QStringLiteral("2"));

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> action(0, 12);
    QElapsedTimer session;
    session.start();
    int actions = 0;
    while (session.elapsed() < SessionMilliseconds) {
        ++actions;
        switch (action(random)) {
        case 0:
        case 1: {
            auto* start = form->findChild<QPushButton*>(QStringLiteral("Button1"));
            if (start->isEnabled())
                start->click();
            break;
        }
        case 2:
            form->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
            break;
        case 3:
            form->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
            break;
        case 4:
            form->findChild<QPushButton*>(QStringLiteral("Button5"))->click();
            break;
        case 5: {
            const char* name = SliderNames[random() % SliderNames.size()];
            auto* slider = form->findChild<QSlider*>(QString::fromLatin1(name));
            slider->setValue(std::uniform_int_distribution<int>(0, 100)(random));
            break;
        }
        case 6:
            form->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
            break;
        case 10: { // the pace, during a run or not
            const char* names[] = {"paceMax", "paceRealTime", "paceTenfold"};
            form->findChild<QAction*>(QString::fromLatin1(names[random() % 3]))->trigger();
            break;
        }
        case 11:
            form->findChild<QAction*>(QStringLiteral("stepOneRefresh"))->trigger();
            break;
        case 12:
            if (random() % 4 == 0) { // a lesson scenario, then a short end time
                const char* names[] = {"scenario_defaults", "scenario_counterCurrent", "scenario_unstable",
                                       "scenario_heavyWall"};
                form->findChild<QAction*>(QString::fromLatin1(names[random() % 4]))->trigger();
                form->findChild<QLineEdit*>(QStringLiteral("Tmmaxbox"))->setText(QStringLiteral("2"));
            }
            break;
        default: {
            const QString name = QString::fromLatin1(FieldNames[random() % FieldNames.size()]);
            form->findChild<QLineEdit*>(name)->setText(randomText(random, name));
            break;
        }
        }
        settle(std::uniform_int_distribution<int>(0, 15)(random));
    }
    form->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    settle(20);

    for (auto* series : form->findChildren<charts::Series*>())
        EXPECT_TRUE(seriesSound(*series)) << series->objectName().toStdString();
    {
        ModelLock lock(modelMutex());
        for (const NodeRecord& r : model->newNodes)
            ASSERT_TRUE(std::isfinite(r.Tc) && std::isfinite(r.Tf) && std::isfinite(r.Tp));
    }
    RecordProperty("actions", actions);
    RecordProperty("messages", messages);
    form.reset(); // ends whatever run is left, without a hang
}
