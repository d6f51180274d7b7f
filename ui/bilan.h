#pragma once
// "Bilan et théorie": the textbook beside the simulation. A window of its own,
// not modal, that follows the run: the capacity rates, UA, NTU and the
// effectiveness of the textbook against the model's, the energy balance, the
// entropy production against its steady-state formula, the time-step limits
// of the explicit scheme and whether the outlets have settled; a small chart
// of effectiveness against NTU; and, on the profile chart's menu, the
// closed-form steady profiles drawn dashed over the model's.
//
// Everything runs on the user-interface thread, from a snapshot of the few
// model values it needs, taken where the model may be read: at a display
// refresh, while the worker waits. The snapshot keeps the parameters its
// state was computed with; whenever those are not the parameters in force
// (a change at rest, or one made while the run has not yet stepped with it),
// the model's figures read "—" under a short note and the textbook's follow
// the new parameters at once. The eigenvalue problem behind the stability limit costs tens of
// milliseconds: it is solved only while the window is shown, once per set of
// parameters, a moment after they stop changing.

#include "model/modelstate.h"
#include "model/stability.h"
#include "model/theory.h"
#include "run/runwindow.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <map>

class QAction;
class QColor;
class QGridLayout;
class QLabel;
class QVBoxLayout;

namespace calidor::charts {
class ChartView;
class Series;
} // namespace calidor::charts

namespace calidor {

class BilanWindow : public QWidget {
    Q_OBJECT
public:
    /// A window of its own (objectName "Bilan"), hidden until asked for; it
    /// goes with its parent.
    explicit BilanWindow(QWidget* parent = nullptr);

    /// The state the display has just shown: feeds the steady-state watch; the
    /// texts follow within 50 ms (they need not change hundreds of times a second).
    /// A state that no step has computed with the parameters in force is not taken.
    void displayRefreshed(const ModelState& model);
    /// The parameters after an acquisition (under the model lock): the
    /// textbook's figures follow them at once.
    void acquired(const ModelState& model);

    /// Puts "Profil permanent théorique" (objectName "steadyProfile",
    /// checkable, off) on the profile chart's own menu; checked, the chart
    /// shows the closed-form steady profiles dashed.
    void attachProfileChart(charts::ChartView* chart);
    QAction* profileAction() const { return m_profileAction; }

    /// Shows the window and brings it to the front.
    void showAndRaise();

    /// Whether the model figures shown belong to the parameters in force.
    bool showsModelState() const;
    /// Whether the model shown has reached its steady state (see steadyStateReached).
    bool steady() const;
    /// Solves a pending stability problem, and rewrites the texts with the
    /// latest values, now instead of a moment later.
    void settle();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void adoptParameters(const ModelParameters& params);
    void takeSnapshot(const ModelState& model);
    void parametersChanged();
    void computeLimits();
    void updateView();
    void showTheory();
    void showModelFigures(double steadySgen, bool steady);
    void showNoModelFigures();
    void showLimits();
    void createCurves();
    void updateCurves();
    void updateProfiles();
    int buildBalanceFigures(QGridLayout* grid);
    void buildLimitFigures(QGridLayout* grid, int row);
    void buildChart(QVBoxLayout* column);
    void addHeading(QGridLayout* grid, int row, const QString& text);
    void addFigure(int row, const char* name, const QString& caption, const QString& explanation,
                   const QColor& colour);
    QLabel* addRow(int row, const char* name, const QString& caption);
    void setValue(const char* name, const QString& text);

    // The parameters in force, and the step count when they last changed:
    // a refresh at that same count shows a state of the parameters before.
    ModelParameters m_params;
    bool m_haveParams = false;
    std::int64_t m_changedAtStep = -1;
    ExchangerTheory m_theory;

    // The snapshot: the model's values at a refresh and the parameters they were computed with.
    bool m_haveSnapshot = false;
    ModelParameters m_computedWith;
    Terminals m_terminals;
    double m_Pc = 0, m_Pf = 0, m_Sgen = 0, m_time = 0;
    SteadyStateWatch m_watch;

    // The time-step limits, for the parameters they were solved for.
    TimeStepLimits m_limits;
    ModelParameters m_limitsFor;
    bool m_limitsKnown = false;
    QTimer m_limitsTimer;
    QTimer m_viewTimer; // a pending rewrite of the texts

    std::map<QString, QLabel*> m_values;
    QLabel* m_warning = nullptr;
    QLabel* m_modelNote = nullptr; // why the model's figures read "—"
    charts::ChartView* m_chart = nullptr;
    std::array<charts::Series*, 3> m_curves{}; // co-current, counter-current, the model's point
    double m_curvesCr = -1, m_curvesNtuMax = 0;

    charts::ChartView* m_profileChart = nullptr;
    QAction* m_profileAction = nullptr;
    std::array<charts::Series*, 3> m_profiles{}; // hot, cold, wall
};

/// The French names and units of the main window's curves and axes, for the
/// copied tables and the hover readouts; the balance chart's depend on the
/// representation (0 powers, 1 entropy production).
void nameChartCurves(charts::ChartView* chart1, charts::ChartView* chart2, charts::ChartView* chart3,
                     Representation representation);

} // namespace calidor
