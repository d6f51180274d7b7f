#include "ui/lessons.h"

#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "run/runcontrol.h"
#include "ui/apropos.h"
#include "ui/bilan.h"
#include "ui/shellopen.h"
#include "ui/visu.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <vector>

namespace calidor {

namespace {

struct FieldChange {
    Field field;
    const char* text;
};

struct ScenarioRow {
    const char* objectName;
    const char* title;
    const char* sentence;
    bool coCurrent;
    std::vector<FieldChange> changes; // every other field keeps its start-up text
};

// The figures in the sentences come from runs of the model with these values.
const ScenarioRow Rows[] = {
    {"scenario_defaults",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Valeurs de départ"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "Les valeurs du démarrage : co-courant, mêmes débits et mêmes Cp, 1 m. En une dizaine de "
         "secondes les sorties chaude (≈ 37,5 °C) et froide (≈ 34,5 °C) se rapprochent sans jamais se "
         "croiser. C'est aussi le retour à une longueur de 1 m."),
     true,
     {}},
    {"scenario_counterCurrent",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Contre-courant équilibré"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "Contre-courant, mêmes débits et mêmes Cp : en régime établi (moins de 30 s) les profils chaud "
         "et froid deviennent deux droites parallèles ; la sortie chaude descend à ≈ 28,5 °C, "
         "efficacité ≈ 0,61 = NTU/(1 + NTU), contre ≈ 0,48 en co-courant."),
     false,
     {{Field::Tmmaxbox, "60.00"}}},
    {"scenario_condenser",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Côté chaud type condenseur (Cr → 0)"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "Cp chaud cent fois plus grand (Cr = Cmin/Cmax → 0) : le fluide chaud garde presque sa "
         "température d'entrée, comme une vapeur qui se condense. Décochez puis recochez la case : "
         "co-courant et contre-courant donnent la même efficacité, ≈ 0,79 = 1 − exp(−NTU)."),
     true,
     {{Field::Cpcbox, "418000.00"}, {Field::Tmmaxbox, "60.00"}}},
    {"scenario_longExchanger",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Échangeur long (NTU élevé)"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "Échangeur de 5 m (masses ×5), contre-courant : NTU ≈ 8, la sortie froide monte à ≈ 62 °C, "
         "près de l'entrée chaude (efficacité ≈ 0,88). Le régime transitoire est long : le "
         "régime permanent n'est atteint que vers t = 350 s. Cochez CO-COURANT : l'efficacité "
         "plafonne à 0,5, les deux fluides sortent à 36 °C."),
     false,
     {{Field::Mfbox, "0.2500"},
      {Field::Mcbox, "0.2500"},
      {Field::MPbox, "0.0500"},
      {Field::Edit_long, "5"},
      {Field::Tmmaxbox, "400.00"}}},
    {"scenario_heavyWall",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Paroi lourde (régime transitoire lent)"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "Paroi de 5 kg au lieu de 10 g : elle stocke la chaleur, le régime transitoire dure une "
         "minute au lieu de quelques secondes, et longtemps le chaud cède plus de puissance que le froid "
         "n'en reçoit. L'état final est celui des valeurs de départ."),
     true,
     {{Field::MPbox, "5.0000"}, {Field::Tmmaxbox, "180.00"}}},
    {"scenario_unstable",
     QT_TRANSLATE_NOOP("calidor::Lessons", "Pas de temps instable"),
     QT_TRANSLATE_NOOP(
         "calidor::Lessons",
         "dt = 0,0063 s, juste au-dessus de la limite de stabilité du schéma explicite (≈ 0,00625 s, "
         "fixée par la paroi) : le profil de paroi oscille d'une maille à l'autre, l'oscillation "
         "grandit et le calcul s'arrête vers t = 4,8 s sur un message qui explique pourquoi."),
     true,
     {{Field::Tmmaxbox, "60.00"}, {Field::dtbox, "0.0063"}}},
};

const std::vector<LessonScenario>& scenarios() {
    static const std::vector<LessonScenario> list = [] {
        std::vector<LessonScenario> made;
        for (const ScenarioRow& row : Rows) {
            LessonScenario scenario{row.objectName, row.title, row.sentence, row.coCurrent,
                                    startupFieldTexts()};
            for (const FieldChange& change : row.changes)
                scenario.texts[static_cast<int>(change.field)] = change.text;
            made.push_back(scenario);
        }
        return made;
    }();
    return list;
}

} // namespace

const LessonScenario* lessonScenarios(int& count) {
    count = static_cast<int>(scenarios().size());
    return scenarios().data();
}

Lessons::Lessons(TForm1& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("lessons"));
    buildRunActions();
    buildPaceActions();
    buildScenarioActions();
    buildMenu();
    connectFields();
    shareRunKeys();
    showKeyboardFocus(&m_form);

    // The cue sits over the profile chart's top right corner, under its
    // title; the mouse goes through it to the chart.
    if (auto* chart1 = m_form.findChild<QWidget*>(QStringLiteral("Chart1"))) {
        m_pauseCue = new QLabel(tr("EN PAUSE"), chart1);
        m_pauseCue->setObjectName(QStringLiteral("pauseCue"));
        m_pauseCue->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont font = m_pauseCue->font();
        font.setBold(true);
        font.setPixelSize(11);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        m_pauseCue->setFont(font);
        m_pauseCue->setStyleSheet(
            QStringLiteral("QLabel { color: rgb(90, 90, 90); background: rgba(255, 255, 255, 150);"
                           " border: 1px solid rgba(90, 90, 90, 120); padding: 1px 4px; }"));
        m_pauseCue->adjustSize();
        m_pauseCue->move(chart1->width() - m_pauseCue->width() - 12, 26);
        m_pauseCue->hide();
    }
    connect(&m_form.runControl(), &RunControl::runStateChanged, this, &Lessons::updatePauseCue);
    updatePauseCue();
}

QAction* Lessons::addAction(const char* name, const QString& text) {
    auto* action = new QAction(text, &m_form);
    action->setObjectName(QString::fromLatin1(name));
    m_form.addAction(action); // its shortcut works wherever the focus is in the window
    return action;
}

void Lessons::clickButton(const char* name) {
    // A disabled button ignores the click, as it ignores the mouse.
    if (auto* button = m_form.findChild<QPushButton*>(QString::fromLatin1(name)))
        button->click();
}

void Lessons::buildRunActions() {
    const struct {
        const char* name;
        const char* text;
        QKeySequence keys;
        const char* button;
    } rows[] = {
        {"runStart", QT_TRANSLATE_NOOP("calidor::Lessons", "Marche"), QKeySequence(Qt::Key_F5), "Button1"},
        {"runPause", QT_TRANSLATE_NOOP("calidor::Lessons", "Pause"), QKeySequence(Qt::Key_F6), "Button3"},
        {"runStop", QT_TRANSLATE_NOOP("calidor::Lessons", "Arrêt"), QKeySequence(Qt::Key_F7), "Button2"},
        {"runQuit", QT_TRANSLATE_NOOP("calidor::Lessons", "quiter"), QKeySequence(Qt::CTRL | Qt::Key_Q),
         "Button4"},
    };
    for (const auto& row : rows) {
        QAction* action = addAction(row.name, tr(row.text));
        action->setShortcut(row.keys);
        connect(action, &QAction::triggered, this, [this, button = row.button] { clickButton(button); });
    }

    QAction* step = addAction("stepOneRefresh", tr("Avancer d'un affichage"));
    step->setShortcut(QKeySequence(Qt::Key_F8));
    step->setToolTip(
        tr("Pendant une pause : calcule jusqu'au prochain affichage (40 pas) puis s'arrête de nouveau."));
    connect(step, &QAction::triggered, this, [this] {
        try {
            m_form.runControl().stepOneRefresh();
        } catch (const ArithmeticFault& fault) {
            m_form.reportRunFault(QString::fromUtf8(fault.what()));
        } catch (const RefusedFields& refused) {
            m_form.reportRunFault(QString::fromUtf8(refused.what()));
        }
    });

    QAction* document = addAction("modelDocument", tr("Document sur le modèle"));
    document->setShortcut(QKeySequence(Qt::Key_F1));
    connect(document, &QAction::triggered, this,
            [this] { openModelDocument(builtInAddresses().modelDocument, &m_form); });

    QAction* balance = addAction("showBalance", tr("Bilan et théorie"));
    balance->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(balance, &QAction::triggered, this, [this] {
        if (auto* bilan = m_form.findChild<BilanWindow*>())
            bilan->showAndRaise();
    });
}

void Lessons::buildPaceActions() {
    m_pace = new QActionGroup(&m_form);
    m_pace->setObjectName(QStringLiteral("pace"));
    m_pace->setExclusive(true);
    const struct {
        const char* name;
        const char* text;
        Pace pace;
    } rows[] = {
        {"paceMax", QT_TRANSLATE_NOOP("calidor::Lessons", "Vitesse maximale"), Pace::Max},
        {"paceRealTime", QT_TRANSLATE_NOOP("calidor::Lessons", "Temps réel"), Pace::RealTime},
        {"paceTenfold", QT_TRANSLATE_NOOP("calidor::Lessons", "Temps réel × 10"), Pace::Tenfold},
        {"paceTenth", QT_TRANSLATE_NOOP("calidor::Lessons", "Temps réel ÷ 10"), Pace::Tenth},
    };
    for (const auto& row : rows) {
        QAction* action = addAction(row.name, tr(row.text));
        action->setCheckable(true);
        action->setChecked(row.pace == m_form.runControl().pace());
        m_pace->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, pace = row.pace] { m_form.runControl().setPace(pace); });
    }
}

void Lessons::buildScenarioActions() {
    int count = 0;
    const LessonScenario* scenarios = lessonScenarios(count);
    for (int i = 0; i < count; ++i) {
        const LessonScenario& scenario = scenarios[i];
        QAction* action = addAction(scenario.objectName, tr(scenario.title));
        action->setToolTip(tr(scenario.sentence));
        connect(action, &QAction::triggered, this, [this, &scenario] { applyScenario(scenario); });
    }
}

void Lessons::buildMenu() {
    auto action = [this](const char* name) { return m_form.findChild<QAction*>(QString::fromLatin1(name)); };
    m_menu = new QMenu(&m_form);
    m_menu->setObjectName(QStringLiteral("backgroundMenu"));
    m_menu->setToolTipsVisible(true);
    m_menu->addSection(tr("Ce menu : F10 ou la touche Menu"));
    for (const char* name : {"runStart", "runPause", "runStop", "stepOneRefresh"})
        m_menu->addAction(action(name));
    m_menu->addSeparator();
    QMenu* pace = m_menu->addMenu(tr("Vitesse"));
    pace->setObjectName(QStringLiteral("paceMenu"));
    pace->addActions(m_pace->actions());
    QMenu* scenarios = m_menu->addMenu(tr("Scénarios"));
    scenarios->setObjectName(QStringLiteral("scenarioMenu"));
    scenarios->setToolTipsVisible(true);
    int count = 0;
    const LessonScenario* list = lessonScenarios(count);
    for (int i = 0; i < count; ++i)
        scenarios->addAction(action(list[i].objectName));
    m_menu->addSeparator();
    m_menu->addAction(action("modelDocument"));
    m_menu->addAction(action("runQuit"));

    // "Marche" shows greyed while the button is; its key acts on the button,
    // which ignores it then.
    connect(m_menu, &QMenu::aboutToShow, this, [this, start = action("runStart")] {
        if (auto* button = m_form.findChild<QPushButton*>(QStringLiteral("Button1")))
            start->setEnabled(button->isEnabled());
    });
    connect(m_menu, &QMenu::aboutToHide, this, [start = action("runStart")] { start->setEnabled(true); });

    m_form.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_form, &QWidget::customContextMenuRequested, this, &Lessons::showMenu);

    // In a field the Menu key and Shift+F10 open the field's own edit menu;
    // F10 opens this one wherever the focus is.
    QAction* key = addAction("backgroundMenuKey", tr("Menu de la fenêtre"));
    key->setShortcut(QKeySequence(Qt::Key_F10));
    connect(key, &QAction::triggered, this, [this] { showMenuAtFocus(); });
}

void Lessons::showMenu(const QPoint& position) {
    m_menu->popup(m_form.mapToGlobal(position));
}

// Opened from the keyboard, the menu stands by the control that has the focus
// (the window's corner when none has), not wherever the mouse happens to be.
void Lessons::showMenuAtFocus() {
    QWidget* focus = m_form.focusWidget();
    if (focus && focus->window() == &m_form)
        m_menu->popup(focus->mapToGlobal(focus->rect().center()));
    else
        m_menu->popup(m_form.mapToGlobal(QPoint(0, 0)));
}

// The keys of the run, the step, the document and the balance act from the
// balance window too: the same actions, also added to it.
void Lessons::shareRunKeys() {
    auto* bilan = m_form.findChild<BilanWindow*>();
    if (!bilan)
        return;
    for (const char* name :
         {"runStart", "runPause", "runStop", "stepOneRefresh", "runQuit", "modelDocument", "showBalance"})
        if (auto* action = m_form.findChild<QAction*>(QString::fromLatin1(name)))
            bilan->addAction(action);
    showKeyboardFocus(bilan);
}

void Lessons::connectFields() {
    for (QLineEdit* field : m_form.findChildren<QLineEdit*>())
        connect(field, &QLineEdit::returnPressed, &m_form, [this] { m_form.Button5Click(); });
}

void Lessons::updatePauseCue() {
    const bool paused = m_form.runControl().pausedByUser();
    if (m_pauseCue)
        m_pauseCue->setVisible(paused);
    if (auto* step = m_form.findChild<QAction*>(QStringLiteral("stepOneRefresh")))
        step->setEnabled(paused);
}

void Lessons::applyScenario(const LessonScenario& scenario) {
    m_form.runControl().endLatestRun();
    for (int f = 0; f < FieldCount; ++f)
        m_form.setFieldText(static_cast<Field>(f), scenario.texts[f]);
    if (auto* box = m_form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
        box && box->isChecked() != scenario.coCurrent)
        box->click();
    m_form.Button5Click();
}

} // namespace calidor
