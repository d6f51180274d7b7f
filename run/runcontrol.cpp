#include "run/runcontrol.h"

#include "run/modellock.h"

#include <QPointer>

namespace calidor {

RunControl::RunControl(ModelState& model, AcquisitionForm& form, RunWindow& window, QObject* parent)
    : QObject(parent), m_model(model), m_form(form), m_window(window) {}

RunControl::~RunControl() {
    shutdown();
}

QString balanceChartTitle(Representation representation) {
    switch (representation) {
    case Representation::Powers:
        return QStringLiteral("Puissances (Entrée/Sortie) : kW");
    case Representation::EntropyProduction:
        return QStringLiteral("Production entropique totale : kW/K");
    }
    return {};
}

void RunControl::start() {
    // Never two workers on the model: an earlier one that computes, stops or
    // waits halted ends first (without another step if halted).
    if (m_simu)
        m_simu->end();
    // The record of the earlier run stays until this one is created: a run
    // that cannot start loses nothing. No refresh reaches the record before
    // begin(), since refreshes run on this thread.
    // A run that ends says so on the user-interface thread.
    m_simu = sym::create(
        m_model, m_form, m_window, this, m_pace,
        [control = QPointer<RunControl>(this)] {
            if (control)
                emit control->runStateChanged();
        },
        &m_record);
    {
        ModelLock lock(modelMutex());
        m_record.begin(m_model.params);
    }
    m_window.setStartEnabled(false);
    m_window.setRepresentationEnabled(false);
    const QString title = balanceChartTitle(m_window.representation());
    if (!title.isEmpty())
        m_window.setChartTitle(ChartId::Chart2, title);
    m_window.setLengthEnabled(false);
    emit runStateChanged();
}

void RunControl::pause() {
    if (!latestRunLive())
        return;
    sym& run = *m_simu;
    if (run.en_marche == 1) {
        run.halt();
    } else {
        {
            ModelLock lock(modelMutex());
            acquisition(m_model, m_form);
        }
        run.resume();
    }
    run.en_marche = 1 - run.en_marche;
    emit runStateChanged();
}

void RunControl::stepOneRefresh() {
    if (!pausedByUser())
        return;
    {
        ModelLock lock(modelMutex());
        acquisition(m_model, m_form);
    }
    m_simu->stepToNextRefresh();
    emit runStateChanged();
}

void RunControl::setPace(Pace pace) {
    m_pace = pace;
    if (m_simu && !m_simu->disposed())
        m_simu->setPace(pace);
}

bool RunControl::latestRunLive() const {
    return m_simu && !m_simu->disposed() && !m_simu->stopRequested();
}

bool RunControl::pausedByUser() const {
    return latestRunLive() && m_simu->en_marche == 0;
}

void RunControl::stop() {
    // A halted worker wakes on the request and ends before another step:
    // nothing is left that a later "Pause" could bring back to life.
    if (m_simu && !m_simu->disposed())
        m_simu->requestStop();
    for (SeriesId s : {SeriesId::Series1, SeriesId::Series2, SeriesId::Series4, SeriesId::Series5,
                       SeriesId::Series6, SeriesId::Series7, SeriesId::Series8, SeriesId::Series9,
                       SeriesId::Series10, SeriesId::Series11, SeriesId::Series3})
        m_window.clearSeries(s);
    m_window.setStartEnabled(true);
    // The curves are empty: a new run may take another length or another
    // representation without mixing with what was drawn.
    m_window.setRepresentationEnabled(true);
    m_window.setLengthEnabled(true);
    emit runStateChanged();
}

void RunControl::shutdown() {
    if (m_simu)
        m_simu->end();
}

} // namespace calidor
