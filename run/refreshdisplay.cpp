#include "run/refreshdisplay.h"

#include "run/sym.h" // sym::timeText

namespace calidor {

namespace {

using ext = long double;

// Kilowatts are formed in extended precision and rounded, like every other
// quantity of the model.
double kilo(double value) {
    return static_cast<double>(ext(value) / 1000);
}

} // namespace

double nodePosition(int node, double dx) {
    return static_cast<double>(ext(node) * dx);
}

void RefreshDisplay(const ModelState& m, RunWindow& w, RunRecord* record) {
    // 0. The run's record takes the same state, whatever the charts show.
    if (record)
        record->add(m);
    // 1-2. The profiles and the three markers start afresh.
    for (SeriesId s : {SeriesId::Series1, SeriesId::Series2, SeriesId::Series4, SeriesId::Series6,
                       SeriesId::Series8, SeriesId::Series10})
        w.clearSeries(s);
    // 3. Profiles along the exchanger, nodes 0 to N.
    for (int i = 0; i <= N; ++i) {
        const double x = nodePosition(i, m.dx);
        w.addPoint(SeriesId::Series1, x, m.newNodes[i].Tc);
        w.addPoint(SeriesId::Series2, x, m.newNodes[i].Tf);
        w.addPoint(SeriesId::Series4, x, m.newNodes[i].Tp);
    }
    // 4. Elapsed time.
    w.setTimeText(sym::timeText(m.time));
    // 5. Far-end temperatures, each curve followed by its marker. The cold
    //    curve shows the cold outlet: node N in co-current, node 1 (where the
    //    cold fluid leaves) in counter-current.
    const double t = m.time;
    const NodeRecord& far = m.newNodes[N];
    const double coldOutlet = m.params.cocourant == 1 ? far.Tf : m.newNodes[1].Tf;
    w.addPoint(SeriesId::Series5, t, far.Tp);
    w.addPoint(SeriesId::Series6, t, far.Tp);
    w.addPoint(SeriesId::Series7, t, far.Tc);
    w.addPoint(SeriesId::Series8, t, far.Tc);
    w.addPoint(SeriesId::Series9, t, coldOutlet);
    w.addPoint(SeriesId::Series10, t, coldOutlet);
    // 6. Balances in kW, or the entropy production in kW/K as the chart's
    //    title says.
    switch (w.representation()) {
    case Representation::Powers:
        w.addPoint(SeriesId::Series11, t, kilo(m.Pc));
        w.addPoint(SeriesId::Series3, t, kilo(m.Pf));
        break;
    case Representation::EntropyProduction:
        w.addPoint(SeriesId::Series11, t, kilo(m.Sgen));
        break;
    }
    // 7. Paint now, in this order.
    w.repaintChart(ChartId::Chart1);
    w.repaintChart(ChartId::Chart3);
    w.repaintChart(ChartId::Chart2);
    // 8. Whatever else follows the run.
    w.displayRefreshed(m);
}

} // namespace calidor
