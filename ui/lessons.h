#pragma once
// What a teacher uses to show the transient to a class, reached without
// changing anything the window shows at rest: a menu on the window's
// background (the run buttons with their keys, the pace, a step of one
// display refresh, the lesson scenarios, the model document), the keyboard
// shortcuts, Enter in a field, and a discreet "EN PAUSE" over the profile
// chart while a run is halted by "Pause".

#include "model/acquisition.h"

#include <QObject>

#include <array>
#include <string>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPoint;

namespace calidor {

class TForm1;

/// A ready set-up for a lesson: every field's text (in acquisition's order),
/// the flow arrangement, and the one sentence that says what to watch.
struct LessonScenario {
    const char* objectName;                    ///< "scenario_..." (the action's object name)
    const char* title;                         ///< the menu entry
    const char* sentence;                      ///< what to watch, shown as the entry's tooltip
    bool coCurrent;                            ///< the check box "CO-COURANT"
    std::array<std::string, FieldCount> texts; ///< field texts, in the order acquisition reads them
};

/// The scenarios, in menu order; the first is the program's start-up values.
const LessonScenario* lessonScenarios(int& count);

class Lessons : public QObject {
    Q_OBJECT
public:
    /// Builds the actions (children of the window, found by object name),
    /// the background menu, the shortcuts, Enter in every field and the pause
    /// cue on `form`.
    explicit Lessons(TForm1& form);

    /// The menu shown by a right click on the window's background.
    QMenu* backgroundMenu() const { return m_menu; }

    /// Ends a run as "Arrêt" does (a paused one is ended too), writes the
    /// scenario's texts into the fields as a user would type them, sets the
    /// flow arrangement as a click on the box would, then takes the values
    /// ("ACTUALISE"). A fault is shown as the window shows every fault.
    void applyScenario(const LessonScenario& scenario);

private:
    QAction* addAction(const char* name, const QString& text);
    void buildRunActions();
    void buildPaceActions();
    void buildScenarioActions();
    void buildMenu();
    void connectFields();
    void showMenu(const QPoint& position);
    void showMenuAtFocus();
    void shareRunKeys();
    void updatePauseCue();
    void clickButton(const char* name);

    TForm1& m_form;
    QMenu* m_menu = nullptr;
    QActionGroup* m_pace = nullptr;
    QLabel* m_pauseCue = nullptr;
};

} // namespace calidor
