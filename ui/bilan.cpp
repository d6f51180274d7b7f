#include "ui/bilan.h"

#include "charts/chartview.h"
#include "model/steadyprofile.h"
#include "pictures/pictures.h"
#include "ui/looks.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace calidor {

namespace {

using namespace colours;
// The dashed closed-form profiles: darker shades of their fluid's colour, so
// that they show where they lie on the model's curves.
const QColor DarkRed(128, 0, 0);
const QColor DarkBlue(0, 0, 128);
const QColor Purple(128, 0, 128);

constexpr int CurvePoints = 200;         // per theoretical curve: enough to be kept on a cached layer
constexpr int ProfilePoints = 2 * N + 1; // every other one on a node of the model
constexpr int LimitsDelayMs = 150;       // the stability problem is solved once the parameters rest this long
// A run refreshes the display hundreds of times a second; the texts are
// rewritten at most this often, the latest values always, the last ones too.
constexpr int ViewDelayMs = 50;

// A number with a point and a fixed number of decimals, then its unit; a dash
// where the quantity is undefined.
QString number(double value, int decimals, const QString& unit = {}) {
    if (!std::isfinite(value))
        return QStringLiteral("—");
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0; // no "-0.000"
    const QString text = QString::number(value, 'f', decimals);
    return unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

// A time step: four significant digits.
QString seconds(double value) {
    if (std::isnan(value))
        return QStringLiteral("—");
    if (std::isinf(value))
        return QCoreApplication::translate("calidor::BilanWindow", "aucune limite");
    return QString::number(value, 'g', 4) + QStringLiteral(" s");
}

// Whether a state computed with one set of parameters is a state of the
// other: every parameter but the end time, which only says when a run stops.
bool sameStateParameters(const ModelParameters& a, const ModelParameters& b) {
    return sameStabilityParameters(a, b) && a.Tef == b.Tef && a.Tec == b.Tec && a.Tinit == b.Tinit &&
           a.dt == b.dt;
}

// What a quantity with no meaning yet reads instead of a number.
QString noMeaning() {
    return QCoreApplication::translate("calidor::BilanWindow", "sans objet");
}

// The model figures, which read "—" while no state computed with the parameters in force is known.
constexpr const char* ModelFigures[] = {"effectivenessModel", "Pc",         "Pf", "powerGap", "Sgen",
                                        "SgenSteady",         "steadyState"};

// Where the effectiveness chart's NTU axis ends: past the current NTU, in steps of 2.
double ntuAxisEnd(double ntu) {
    if (!std::isfinite(ntu))
        return 4;
    return std::max(4.0, 2 * std::ceil(ntu * 1.25 / 2));
}

} // namespace

BilanWindow::BilanWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Bilan"));
    setWindowTitle(tr("Bilan et théorie"));
    setFont(defaultFont());
    setPalette(designedPalette());
    setAutoFillBackground(true);
    setMinimumWidth(620);

    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    column->addLayout(grid);
    buildLimitFigures(grid, buildBalanceFigures(grid));
    buildChart(column);

    m_limitsTimer.setSingleShot(true);
    m_limitsTimer.setInterval(LimitsDelayMs);
    connect(&m_limitsTimer, &QTimer::timeout, this, &BilanWindow::computeLimits);
    m_viewTimer.setSingleShot(true);
    m_viewTimer.setInterval(ViewDelayMs);
    connect(&m_viewTimer, &QTimer::timeout, this, &BilanWindow::updateView);

    m_params = ModelParameters{};
    parametersChanged();
}

void BilanWindow::addHeading(QGridLayout* grid, int row, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setFont(comicFont(13, true));
    setTextColour(label, Teal);
    grid->addWidget(label, row, 0, 1, 2);
}

void BilanWindow::addFigure(int row, const char* name, const QString& caption, const QString& explanation,
                            const QColor& colour) {
    QLabel* value = addRow(row, name, caption);
    setTextColour(value, colour);
    value->setToolTip(explanation);
}

int BilanWindow::buildBalanceFigures(QGridLayout* grid) {
    // The capacity rates and NTU, the effectiveness and the energy balance; returns the next free row.
    int row = 0;
    auto heading = [&](const QString& text) { addHeading(grid, row++, text); };
    auto add = [&](const char* name, const QString& caption, const QString& explanation = {},
                   const QColor& colour = Black) { addFigure(row++, name, caption, explanation, colour); };

    // Over everything, while the model's figures are withheld: why.
    m_modelNote = new QLabel(
        tr("Aucun état du modèle calculé avec ces paramètres : ses valeurs attendent le prochain calcul."),
        this);
    m_modelNote->setToolTip(tr("Les valeurs du modèle (—) reviendront au prochain affichage d'un calcul fait "
                               "avec les paramètres actuels. Les valeurs théoriques les suivent déjà."));
    m_modelNote->setObjectName(QStringLiteral("modelNote"));
    setTextColour(m_modelNote, DarkRed);
    grid->addWidget(m_modelNote, row++, 0, 1, 2);

    heading(tr("Débits de capacité et nombre d'unités de transfert"));
    add("Cc", tr("Débit de capacité chaud Cc"), tr("deb C × Cp C"), Red);
    add("Cf", tr("Débit de capacité froid Cf"), tr("deb F × Cp F"), Blue);
    add("Cr", tr("Rapport Cr = Cmin / Cmax"));
    add("UA", tr("Conductance globale UA"),
        tr("Les deux convections sur toute la longueur, en série à travers la paroi :\n"
           "1 / UA = 1 / (Kc σc L) + 1 / (Kf σf L)"));
    add("NTU", tr("Nombre d'unités de transfert NUT = UA / Cmin"));
    heading(tr("Efficacité"));
    add("effectivenessTheory", tr("Efficacité théorique ε(NUT, Cr)"),
        tr("Co-courant : ε = (1 − exp(−NUT (1 + Cr))) / (1 + Cr)\n"
           "Contre-courant : ε = (1 − exp(−NUT (1 − Cr))) / (1 − Cr exp(−NUT (1 − Cr))), NUT / (1 + NUT) si "
           "Cr = 1"));
    add("effectivenessModel", tr("Efficacité du modèle (sorties actuelles)"),
        tr("Cf (Tf sortie − Tf entrée) / (Cmin (Tc entrée − Tf entrée))"));
    heading(tr("Bilan d'énergie"));
    add("Pc", tr("Puissance cédée par le fluide chaud Pc"), {}, Red);
    add("Pf", tr("Puissance reçue par le fluide froid Pf"), {}, Blue);
    add("powerGap", tr("Écart Pc − Pf"));
    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("powerNote"));
    note->setWordWrap(true);
    grid->addWidget(note, row++, 0, 1, 2);
    m_values[note->objectName()] = note;
    return row;
}

void BilanWindow::buildLimitFigures(QGridLayout* grid, int row) {
    // The entropy production, the time-step limits and the settling of the outlets, from the given row on.
    auto heading = [&](const QString& text) { addHeading(grid, row++, text); };
    auto add = [&](const char* name, const QString& caption, const QString& explanation = {},
                   const QColor& colour = Black) { addFigure(row++, name, caption, explanation, colour); };

    heading(tr("Production d'entropie"));
    add("Sgen", tr("Production d'entropie du modèle Sgen"));
    add("SgenSteady", tr("Régime permanent : Cc ln(Tc,s / Tc,e) + Cf ln(Tf,s / Tf,e)"),
        tr("Températures absolues des entrées (e) et des sorties (s) ; valable une fois le régime permanent "
           "atteint"));
    heading(tr("Stabilité du schéma explicite"));
    add("dtStable", tr("Limite de stabilité dtStable"),
        tr("Plus grand dt pour lequel chaque valeur propre λ du pas garde |1 + dt λ| ≤ 1,\n"
           "et le transport de chaque fluide n'amplifie pas une oscillation d'une maille à l'autre"));
    add("dtPositive", tr("Limite sans oscillation dtPositive"),
        tr("Plus grand dt pour lequel chaque nouvelle température est une moyenne pondérée des anciennes"));
    add("dtRatio", tr("dt / dtStable"));
    m_warning = new QLabel(tr("Attention : dt dépasse la limite de stabilité, le calcul va diverger."), this);
    m_warning->setObjectName(QStringLiteral("stabilityWarning"));
    setTextColour(m_warning, Red);
    m_warning->setVisible(false);
    grid->addWidget(m_warning, row++, 0, 1, 2);
    heading(tr("Régime"));
    add("steadyState", tr("Variation des sorties"),
        tr("Régime permanent : les deux températures de sortie varient de moins de %1 °C sur les %2 "
           "dernières secondes simulées,\nPc − Pf reste sous %3 % de Pc et Sgen à moins de %3 % de sa "
           "formule du régime permanent")
            .arg(SteadyStateWatch::DefaultThreshold)
            .arg(SteadyStateWatch::DefaultWindow)
            .arg(100 * SteadyTolerance));
}

void BilanWindow::buildChart(QVBoxLayout* column) {
    // Effectiveness against NTU: both arrangements for the current Cr, and the model's point.
    m_chart = new charts::ChartView(this);
    m_chart->setObjectName(QStringLiteral("effectivenessChart"));
    m_chart->setMinimumSize(360, 220);
    m_chart->setTitle(tr("Efficacité en fonction du NUT"));
    m_chart->setTitleFont(comicFont(13));
    m_chart->setTitleColor(Blue);
    m_chart->setBackgroundTile(QPixmap(pictures::chartPaper()));
    m_chart->setLeftAxis({false, false, 0, 1});
    m_chart->setBottomAxis({false, false, 0, 4});
    m_chart->setXQuantity(tr("NUT"), {});
    m_chart->showBalanceAction()->setVisible(false); // this is the balance window
    column->addWidget(m_chart, 1);
    auto* legend = new QLabel(
        tr("<span style='color:#008080'>━ co-courant</span> &nbsp; "
           "<span style='color:#ff00ff'>━ contre-courant</span> &nbsp; ● modèle (sorties actuelles)"),
        this);
    legend->setObjectName(QStringLiteral("effectivenessLegend"));
    column->addWidget(legend);
}

QLabel* BilanWindow::addRow(int row, const char* name, const QString& caption) {
    auto* grid = static_cast<QGridLayout*>(static_cast<QVBoxLayout*>(layout())->itemAt(0)->layout());
    auto* label = new QLabel(caption, this);
    auto* value = new QLabel(QStringLiteral("—"), this);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    m_values[value->objectName()] = value;
    return value;
}

void BilanWindow::setValue(const char* name, const QString& text) {
    QLabel* label = m_values[QString::fromLatin1(name)];
    if (label->text() != text)
        label->setText(text);
}

void BilanWindow::displayRefreshed(const ModelState& model) {
    if (!m_haveParams || !sameStateParameters(model.params, m_params))
        adoptParameters(model.params); // set with no acquisition: the run has stepped with them
    else if (model.nstep == m_changedAtStep)
        return; // an acquisition came between the last step and this refresh: a state of the parameters
                // before
    takeSnapshot(model);
    if (isVisible() && !m_viewTimer.isActive())
        m_viewTimer.start();
}

void BilanWindow::acquired(const ModelState& model) {
    if (!m_haveParams || !sameStateParameters(model.params, m_params)) {
        // The steps since the last change were computed with the parameters before this one: if
        // there were any and those were not the snapshot's, the model has left the snapshot's state
        // (a change undone during a run), and the snapshot no longer stands for it.
        if (model.nstep != m_changedAtStep && !sameStateParameters(m_params, m_computedWith))
            m_haveSnapshot = false;
        m_changedAtStep = model.nstep; // a change takes effect from the next step
        adoptParameters(model.params);
    }
    m_params = model.params;
    if (isVisible())
        updateView();
}

void BilanWindow::adoptParameters(const ModelParameters& params) {
    m_params = params;
    m_haveParams = true;
    parametersChanged();
}

void BilanWindow::takeSnapshot(const ModelState& model) {
    if (!m_haveSnapshot || !sameStateParameters(model.params, m_computedWith))
        m_watch.reset(); // other parameters, another regime: the outlets are watched afresh
    m_haveSnapshot = true;
    m_computedWith = model.params;
    m_terminals = terminals(model);
    m_Pc = model.Pc;
    m_Pf = model.Pf;
    m_Sgen = model.Sgen;
    m_time = model.time;
    m_watch.add(m_time, m_terminals.TcOut, m_terminals.TfOut);
}

bool BilanWindow::showsModelState() const {
    return m_haveSnapshot && sameStateParameters(m_params, m_computedWith);
}

bool BilanWindow::steady() const {
    return showsModelState() &&
           steadyStateReached(m_watch, m_Pc, m_Pf, m_Sgen, steadyEntropyProduction(m_theory, m_terminals));
}

void BilanWindow::parametersChanged() {
    m_theory = exchangerTheory(m_params);
    if (!m_limitsKnown || !sameStabilityParameters(m_params, m_limitsFor)) {
        m_limitsKnown = false;
        if (isVisible())
            m_limitsTimer.start();
    }
    if (isVisible())
        updateCurves();
    updateProfiles();
}

void BilanWindow::computeLimits() {
    m_limitsTimer.stop();
    m_limits = timeStepLimits(m_params);
    m_limitsFor = m_params;
    m_limitsKnown = true;
    if (isVisible())
        updateView();
}

void BilanWindow::settle() {
    if (!m_limitsKnown)
        computeLimits();
    else if (m_viewTimer.isActive())
        updateView();
}

void BilanWindow::showAndRaise() {
    show();
    raise();
    activateWindow();
}

void BilanWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_limitsKnown)
        m_limitsTimer.start();
    m_curvesCr = -1; // draw the curves for the present parameters
    updateCurves();
    updateView();
}

void BilanWindow::updateView() {
    m_viewTimer.stop();
    showTheory();
    if (showsModelState()) {
        const double steadySgen = steadyEntropyProduction(m_theory, m_terminals);
        showModelFigures(steadySgen, steadyStateReached(m_watch, m_Pc, m_Pf, m_Sgen, steadySgen));
    } else {
        showNoModelFigures();
    }
    showLimits();
}

void BilanWindow::showTheory() {
    const ExchangerTheory& th = m_theory;
    setValue("Cc", number(th.Cc, 3, QStringLiteral("W/K")));
    setValue("Cf", number(th.Cf, 3, QStringLiteral("W/K")));
    setValue("Cr", number(th.Cr, 4));
    setValue("UA", number(th.UA, 3, QStringLiteral("W/K")));
    setValue("NTU", number(th.NTU, 4));
    setValue("effectivenessTheory",
             number(th.effectiveness, 4) + (th.coCurrent ? tr(" (co-courant)") : tr(" (contre-courant)")));
}

void BilanWindow::showModelFigures(double steadySgen, bool steady) {
    m_modelNote->setVisible(false);
    // With equal inlets the effectiveness and the gap's share are 0 / 0.
    const double epsilon = modelEffectiveness(m_theory, m_terminals);
    setValue("effectivenessModel", std::isfinite(epsilon) ? number(epsilon, 4) : noMeaning());
    setValue("Pc", number(m_Pc, 1, QStringLiteral("W")));
    setValue("Pf", number(m_Pf, 1, QStringLiteral("W")));
    const double gap = m_Pc - m_Pf;
    const QString share = m_Pc != 0 ? number(100 * gap / m_Pc, 2, QStringLiteral("%")) : noMeaning();
    setValue("powerGap",
             number(gap, 1, QStringLiteral("W")) + QStringLiteral(" (") + share + QLatin1Char(')'));
    setValue("powerNote",
             steady ? tr("Régime permanent : le bilan se ferme, Pc = Pf.")
                    : tr("Régime transitoire : la paroi et les fluides retenus stockent ou restituent "
                         "de la chaleur, le bilan ne se ferme pas encore."));
    setValue("Sgen", number(m_Sgen, 5, QStringLiteral("W/K")));
    // The formula holds only once the outlets have settled and the exchanger no longer stores heat; before
    // that its figure means nothing (it may even be negative). Settled outlets alone are not enough: a long
    // exchanger's outlets keep their initial temperature until the fluids have crossed it.
    const bool formulaHolds = m_watch.steady() && agreeWithin(m_Pf, m_Pc) && steadySgen > -1e-9;
    setValue("SgenSteady", formulaHolds ? number(steadySgen, 5, QStringLiteral("W/K")) : noMeaning());

    QString state;
    if (!m_watch.covered())
        state = noMeaning() + tr(" : moins de %1 s simulées").arg(m_watch.window());
    else
        state = number(m_watch.change(), 4, QStringLiteral("°C")) +
                tr(" en %1 s (seuil %2 °C) : ").arg(m_watch.window()).arg(m_watch.threshold()) +
                (steady ? tr("régime permanent atteint") : tr("régime transitoire"));
    setValue("steadyState", state);

    // The model's point on the effectiveness chart.
    if (!m_curves[2])
        return;
    m_curves[2]->clear();
    if (std::isfinite(m_theory.NTU) && std::isfinite(epsilon))
        m_curves[2]->addXY(m_theory.NTU, epsilon);
}

void BilanWindow::showNoModelFigures() {
    m_modelNote->setVisible(true);
    for (const char* name : ModelFigures)
        setValue(name, QStringLiteral("—"));
    setValue("powerNote", QStringLiteral("—"));
    if (m_curves[2])
        m_curves[2]->clear();
}

void BilanWindow::showLimits() {
    if (m_limitsKnown) {
        setValue("dtStable", seconds(m_limits.dtStable));
        setValue("dtPositive", seconds(m_limits.dtPositive));
        const double ratio = m_limits.dtStable > 0 ? m_params.dt / m_limits.dtStable : std::nan("");
        setValue("dtRatio", number(ratio, 3));
        m_warning->setVisible(ratio > 1 || m_limits.dtStable == 0);
    } else {
        for (const char* name : {"dtStable", "dtPositive", "dtRatio"})
            setValue(name, tr("calcul…"));
        m_warning->setVisible(false);
    }
}

void BilanWindow::createCurves() {
    // Made when the window first shows: until then the main window holds its own curves alone.
    const struct {
        const char* name;
        QString displayName;
        charts::SeriesStyle style;
    } curves[] = {
        {"parallelCurve", tr("Co-courant (théorie)"), {Teal, 2, false}},
        {"counterCurve", tr("Contre-courant (théorie)"), {Fuchsia, 2, false}},
        {"modelPoint", tr("Modèle"), {Black, 1, true, 8, 8}},
    };
    for (std::size_t k = 0; k < m_curves.size(); ++k) {
        m_curves[k] = m_chart->addSeries(QString::fromLatin1(curves[k].name), curves[k].style);
        m_curves[k]->setDisplayName(curves[k].displayName);
    }
}

void BilanWindow::updateCurves() {
    if (!m_curves[0])
        createCurves();
    const double cr = m_theory.Cr;
    const double end = ntuAxisEnd(m_theory.NTU);
    if (cr == m_curvesCr && end == m_curvesNtuMax)
        return;
    m_curvesCr = cr;
    m_curvesNtuMax = end;
    m_chart->setBottomAxis({false, false, 0, end});
    m_curves[0]->clear();
    m_curves[1]->clear();
    if (!std::isfinite(cr))
        return;
    for (int k = 0; k < CurvePoints; ++k) {
        const double ntu = end * k / (CurvePoints - 1);
        m_curves[0]->addXY(ntu, effectivenessParallel(ntu, cr));
        m_curves[1]->addXY(ntu, effectivenessCounter(ntu, cr));
    }
}

void BilanWindow::attachProfileChart(charts::ChartView* chart) {
    m_profileChart = chart;
    m_profileAction = new QAction(tr("Profil permanent théorique"), chart);
    m_profileAction->setObjectName(QStringLiteral("steadyProfile"));
    m_profileAction->setCheckable(true);
    m_profileAction->setChecked(false);
    chart->addAction(m_profileAction);
    connect(m_profileAction, &QAction::toggled, this, [this] { updateProfiles(); });
}

void BilanWindow::updateProfiles() {
    if (!m_profileAction)
        return;
    if (!m_profileAction->isChecked()) {
        for (charts::Series*& s : m_profiles) {
            delete s;
            s = nullptr;
        }
        return;
    }
    if (!m_profiles[0]) {
        const struct {
            const char* name;
            QString displayName;
            QColor colour;
        } rows[] = {
            {"steadyHot", tr("Fluide chaud, permanent théorique"), DarkRed},
            {"steadyCold", tr("Fluide froid, permanent théorique"), DarkBlue},
            {"steadyWall", tr("Paroi, permanent théorique"), Purple},
        };
        for (std::size_t k = 0; k < m_profiles.size(); ++k) {
            charts::SeriesStyle style{rows[k].colour, 1, false};
            style.penStyle = Qt::DashLine;
            m_profiles[k] = m_profileChart->addSeries(QString::fromLatin1(rows[k].name), style);
            m_profiles[k]->setDisplayName(rows[k].displayName);
            m_profiles[k]->setUnit(QStringLiteral("°C"));
        }
    }
    for (charts::Series* s : m_profiles)
        s->clear();
    for (const SteadyPoint& point : steadyProfile(m_params, ProfilePoints)) {
        m_profiles[0]->addXY(point.x, point.Tc);
        m_profiles[1]->addXY(point.x, point.Tf);
        m_profiles[2]->addXY(point.x, point.Tp);
    }
}

void nameChartCurves(charts::ChartView* chart1, charts::ChartView* chart2, charts::ChartView* chart3,
                     Representation representation) {
    const QString celsius = QStringLiteral("°C");
    auto name = [](charts::ChartView* chart, const char* series, const QString& text, const QString& unit) {
        if (charts::Series* s = chart->series(QString::fromLatin1(series))) {
            s->setDisplayName(text);
            s->setUnit(unit);
        }
    };
    chart1->setXQuantity(QCoreApplication::translate("calidor::BilanWindow", "Position"),
                         QStringLiteral("m"));
    name(chart1, "Series1", QCoreApplication::translate("calidor::BilanWindow", "Fluide chaud"), celsius);
    name(chart1, "Series2", QCoreApplication::translate("calidor::BilanWindow", "Fluide froid"), celsius);
    name(chart1, "Series4", QCoreApplication::translate("calidor::BilanWindow", "Paroi"), celsius);
    chart3->setXQuantity(QCoreApplication::translate("calidor::BilanWindow", "Temps"), QStringLiteral("s"));
    name(chart3, "Series5", QCoreApplication::translate("calidor::BilanWindow", "Paroi"), celsius);
    name(chart3, "Series7", QCoreApplication::translate("calidor::BilanWindow", "Fluide chaud"), celsius);
    name(chart3, "Series9", QCoreApplication::translate("calidor::BilanWindow", "Fluide froid"), celsius);
    chart2->setXQuantity(QCoreApplication::translate("calidor::BilanWindow", "Temps"), QStringLiteral("s"));
    if (representation == Representation::EntropyProduction) {
        name(chart2, "Series11", QCoreApplication::translate("calidor::BilanWindow", "Production entropique"),
             QStringLiteral("kW/K"));
        name(chart2, "Series3", {}, {});
    } else {
        name(chart2, "Series11",
             QCoreApplication::translate("calidor::BilanWindow", "Puissance du fluide chaud"),
             QStringLiteral("kW"));
        name(chart2, "Series3",
             QCoreApplication::translate("calidor::BilanWindow", "Puissance du fluide froid"),
             QStringLiteral("kW"));
    }
}

} // namespace calidor
