#pragma once
// Run control: what "Marche", "Pause" and "Arrêt" do to the runs, and the
// end of every run when the program ends. Lives on the user-interface thread.

#include "model/acquisition.h"
#include "model/modelstate.h"
#include "run/runrecord.h"
#include "run/runwindow.h"
#include "run/sym.h"

#include <QObject>

#include <memory>

namespace calidor {

class RunControl : public QObject {
    Q_OBJECT
public:
    RunControl(ModelState& model, AcquisitionForm& form, RunWindow& window, QObject* parent = nullptr);
    /// Ends every run still there.
    ~RunControl() override;

    /// "Marche": ends an earlier worker that still computes or waits halted,
    /// creates the new run (acquisition, initial state, worker), then disables
    /// the start button, the representation and the length and sets the
    /// balance chart's title. Raises ArithmeticFault when the run cannot be
    /// created; nothing else changes then.
    void start();

    /// "Pause": halts the latest run, or runs acquisition and lets it
    /// continue. Does nothing before the first run, once it has ended, or
    /// once "Arrêt" has asked it to stop. Raises ArithmeticFault from that
    /// acquisition; the run stays halted.
    void pause();

    /// "Arrêt": ends the latest run whatever its state: a computing run after
    /// the step it computes, a run halted by "Pause" without another step.
    /// Empties every curve, markers included, and enables the start button,
    /// the representation and the length (nothing is left drawn that a
    /// new length or representation would contradict). A refresh already
    /// handed over but not begun is dropped, so the curves stay empty. Does
    /// not wait for the worker.
    void stop();

    /// "Avancer d'un affichage": while the latest run is halted by "Pause",
    /// runs acquisition (as resuming does), lets the run compute up to and
    /// including its next refresh, and halts it again. Does nothing
    /// otherwise. Raises ArithmeticFault from that acquisition; the run stays
    /// halted.
    void stepOneRefresh();

    /// "Arrêt", before a lesson scenario writes its values.
    void endLatestRun() { stop(); }

    /// The pace of the latest run and of the runs to come; takes effect at
    /// once, during a run too.
    void setPace(Pace pace);
    Pace pace() const { return m_pace; }

    /// The latest run exists, has not ended nor been stopped, and is halted
    /// by "Pause".
    bool pausedByUser() const;

    /// Ends every run without another step; used when the program ends.
    void shutdown();

    /// The most recently created run; none before the first "Marche".
    const std::shared_ptr<sym>& simu() const { return m_simu; }

    /// What the latest run has recorded, refresh by refresh. It starts afresh
    /// with each "Marche" that creates a run, and stays after the run ends or
    /// "Arrêt" empties the curves, until the next one. User-interface thread
    /// only.
    const RunRecord& record() const { return m_record; }
    RunRecord& record() { return m_record; }

signals:
    /// A run started, was paused, resumed, stepped or stopped, or ended.
    void runStateChanged();

private:
    /// The latest run still answers "Pause": it exists, its body has not
    /// returned, and no "Arrêt" has asked it to stop.
    bool latestRunLive() const;

    ModelState& m_model;
    AcquisitionForm& m_form;
    RunWindow& m_window;
    std::shared_ptr<sym> m_simu;
    RunRecord m_record;
    Pace m_pace = Pace::Max;
};

/// The title of the balance chart for a representation, or an empty text for
/// a value outside the enumeration (no item selected).
QString balanceChartTitle(Representation representation);

} // namespace calidor
