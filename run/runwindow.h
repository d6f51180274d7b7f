#pragma once
// What a run needs of the main window: the charts' series and titles, the
// time label, the representation choice and the controls that run control
// enables and disables. The main window implements it; tests implement it
// without widgets.

#include <QString>

namespace calidor {

struct ModelState;

/// The eleven series of the three charts.
enum class SeriesId {
    Series1,
    Series2,
    Series3,
    Series4,
    Series5,
    Series6,
    Series7,
    Series8,
    Series9,
    Series10,
    Series11
};

/// The three charts: temperature profiles, far-end temperatures, balances.
enum class ChartId { Chart1, Chart2, Chart3 };

/// What the balance chart shows: the items of the representation group, in
/// their order (their ids in the group).
enum class Representation { Powers = 0, EntropyProduction = 1 };

class RunWindow {
public:
    virtual ~RunWindow() = default;

    // Charts.
    virtual void clearSeries(SeriesId series) = 0;
    virtual void addPoint(SeriesId series, double x, double y) = 0;
    /// Paints the chart before returning.
    virtual void repaintChart(ChartId chart) = 0;
    virtual void setChartTitle(ChartId chart, const QString& title) = 0;

    /// The elapsed-time label.
    virtual void setTimeText(const QString& text) = 0;
    /// Selected item of the representation group.
    virtual Representation representation() const = 0;

    // Controls that run control enables and disables.
    virtual void setStartEnabled(bool enabled) = 0;
    /// The representation group and the length field: fixed while a run
    /// draws into the curves, free again once "Arrêt" has emptied them.
    virtual void setRepresentationEnabled(bool enabled) = 0;
    virtual void setLengthEnabled(bool enabled) = 0;

    /// Tells the user, on the user-interface thread, that a run ended on an
    /// arithmetic fault (the message is complete, in French); the start
    /// button is already enabled again.
    virtual void reportRunFault(const QString& message) = 0;

    /// Called at the end of every display refresh, with the state just shown
    /// (the worker still waits): for views that follow the run.
    virtual void displayRefreshed(const ModelState&) {}
};

} // namespace calidor
