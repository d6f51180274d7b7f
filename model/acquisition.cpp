#include "model/acquisition.h"

#include "model/arithmeticfault.h"
#include "model/numbertext.h"

#include <algorithm>

namespace calidor {

namespace {

// A text too large for a double ("1e400") faults; the message names the
// field by its label, so the user knows which one to correct.
ArithmeticFault overflowIn(Field field) {
    return ArithmeticFault(FaultKind::Overflow,
                           std::string("lecture du champ « ") + fieldLabel(field) + " »");
}

// Every field but `skipped` is read before anything is taken: a set of
// parameters is taken whole or not at all, so a run never goes on with half
// of what the user typed.
void checkFields(const AcquisitionForm& form, std::optional<Field> skipped) {
    std::vector<FieldRefusal> refusals = refusedFields(form, skipped);
    if (refusals.empty())
        return;
    const bool allTooLarge = std::all_of(refusals.begin(), refusals.end(), [](const FieldRefusal& r) {
        return r.check.refusal == TextRefusal::TooLarge;
    });
    if (allTooLarge)
        throw overflowIn(refusals.front().field);
    throw RefusedFields(std::move(refusals));
}

std::string refusalSentence(const std::vector<FieldRefusal>& refusals) {
    std::string sentence = "Rien n'a été pris en compte :";
    for (const FieldRefusal& r : refusals)
        sentence += std::string(" « ") + fieldLabel(r.field) + " » : " + refusalReason(r.check) + ".";
    return sentence + " Attendu : " + AcceptedNumbers + ".";
}

// Where each field's value goes, in reading order.
template <class Parameters> auto& parameterOf(Parameters& p, Field field) {
    switch (field) {
    case Field::Tefbox:
        return p.Tef;
    case Field::tecbox:
        return p.Tec;
    case Field::tinitbox:
        return p.Tinit;
    case Field::Cpfbox:
        return p.Cpf;
    case Field::Cpcbox:
        return p.Cpc;
    case Field::cppbox:
        return p.Cpp;
    case Field::Mfbox:
        return p.Mf;
    case Field::Mcbox:
        return p.Mc;
    case Field::MPbox:
        return p.Mp;
    case Field::Edit_Kf:
        return p.Kf;
    case Field::Edit_Kc:
        return p.Kc;
    case Field::Edit_sigmaf:
        return p.sigmaf;
    case Field::Edit_sigmac:
        return p.sigmac;
    case Field::Edit_long:
        return p.Lech;
    case Field::debfbox:
        return p.debf;
    case Field::debcbox:
        return p.debc;
    case Field::Tmmaxbox:
        return p.tmax;
    case Field::dtbox:
        return p.dt;
    }
    return p.dt;
}

// The four sliders and the fields they follow. A temperature slider's
// position is a whole number of degrees; a flow slider's has its own scale.
struct Coupling {
    Slider slider;
    Field field;
    bool temperature;
};

constexpr Coupling Couplings[] = {
    {Slider::TrackBar_TEF, Field::Tefbox, true},
    {Slider::TrackBar_TEC, Field::tecbox, true},
    {Slider::TrackBar_debf, Field::debfbox, false},
    {Slider::TrackBar_debc, Field::debcbox, false},
};

// The coupling of a field, or nullptr for a field without a slider.
const Coupling* couplingOf(Field field) {
    for (const Coupling& coupling : Couplings)
        if (coupling.field == field)
            return &coupling;
    return nullptr;
}

const Coupling& couplingOf(Slider slider) {
    for (const Coupling& coupling : Couplings)
        if (coupling.slider == slider)
            return coupling;
    return Couplings[0];
}

// A parameter with a point and a fixed number of decimals, but for the five
// fields that keep the short texts the window was designed with.
std::string startupText(const ModelParameters& p, Field field) {
    switch (field) {
    case Field::Edit_Kf:
    case Field::Edit_Kc:
        return "2000";
    case Field::Edit_sigmaf:
    case Field::Edit_sigmac:
        return "0.1";
    case Field::Edit_long:
        return "1";
    case Field::Mfbox:
    case Field::Mcbox:
    case Field::MPbox:
    case Field::debfbox:
    case Field::debcbox:
    case Field::dtbox:
        return fixedText(parameterOf(p, field), 4);
    default:
        return fixedText(parameterOf(p, field), 2);
    }
}

// Whether a value lies outside what its slider can reach, so that a move of
// the slider brings it back to the slider's end.
bool outsideSliderRange(const Coupling& coupling, double value) {
    if (coupling.temperature)
        return value < 0 || value > 100;
    return value < flowOfSliderPosition(5) || value > flowOfSliderPosition(100);
}

// Sets the slider of a field just read. A slider that moves runs its handler
// at once, which rewrites its field and runs acquisition again from the
// first field (nested); a value it brought back into its range is reported.
void moveSlider(const ModelParameters& p, AcquisitionForm& form, const Coupling& coupling, double value) {
    const int position = coupling.temperature ? temperatureSliderPosition(value) : flowSliderPosition(value);
    const bool moves = form.sliderPosition(coupling.slider) != position;
    form.setSliderPosition(coupling.slider, position);
    if (moves && outsideSliderRange(coupling, value))
        form.valueBroughtIntoRange(coupling.field, value, parameterOf(p, coupling.field));
}

void writeInletEntropies(ModelState& m) {
    const ModelParameters& p = m.params;
    const char* phase = "entropie d'entrée";
    fpu::store(m.oldNodes[0].sc, entropie(p.Cpc, p.Tec), phase);
    fpu::store(m.oldNodes[0].sf, entropie(p.Cpf, p.Tef), phase);
    fpu::store(m.newNodes[0].sc, entropie(p.Cpc, p.Tec), phase);
    fpu::store(m.newNodes[0].sf, entropie(p.Cpf, p.Tef), phase);
    fpu::store(m.oldNodes[N + 1].sf, entropie(p.Cpf, p.Tef), phase);
    fpu::store(m.newNodes[N + 1].sf, entropie(p.Cpf, p.Tef), phase);
}

} // namespace

const char* fieldLabel(Field field) {
    switch (field) {
    case Field::Tefbox:
        return "T entrée F (°C)";
    case Field::tecbox:
        return "T entrée C (°C)";
    case Field::tinitbox:
        return "T init (°C)";
    case Field::Cpfbox:
        return "Cp F (J/kg.K)";
    case Field::Cpcbox:
        return "Cp C (J/kg.K)";
    case Field::cppbox:
        return "Cp P (J/kg.K)";
    case Field::Mfbox:
        return "Masse F (kg)";
    case Field::Mcbox:
        return "Masse C (kg)";
    case Field::MPbox:
        return "Masse P (kg)";
    case Field::Edit_Kf:
        return "Coef. ech. conv F (W/m2.K)";
    case Field::Edit_Kc:
        return "Coef. ech. conv C (W/m2.K)";
    case Field::Edit_sigmaf:
        return "Surf. ech. linéïque F (m2/m)";
    case Field::Edit_sigmac:
        return "Surf. ech. linéïque C (m2/m)";
    case Field::Edit_long:
        return "Longueur de l'échangeur (m)";
    case Field::debfbox:
        return "deb F (kg/s)";
    case Field::debcbox:
        return "deb C (kg/s)";
    case Field::Tmmaxbox:
        return "Time max (s)";
    case Field::dtbox:
        return "dt (s)";
    }
    return "";
}

std::array<std::string, FieldCount> startupFieldTexts(const ModelParameters& p) {
    std::array<std::string, FieldCount> texts;
    for (int f = 0; f < FieldCount; ++f)
        texts[f] = startupText(p, static_cast<Field>(f));
    return texts;
}

RefusedFields::RefusedFields(std::vector<FieldRefusal> refusals)
    : std::runtime_error(refusalSentence(refusals)), m_refusals(std::move(refusals)) {}

std::vector<FieldRefusal> refusedFields(const AcquisitionForm& form, std::optional<Field> skipped) {
    std::vector<FieldRefusal> refusals;
    for (int f = 0; f < FieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (field == skipped)
            continue;
        std::string text = form.fieldText(field);
        NumberCheck check = checkNumberText(text);
        if (!check.accepted())
            refusals.push_back({field, std::move(text), std::move(check)});
    }
    return refusals;
}

void acquisition(ModelState& model, AcquisitionForm& form) {
    checkFields(form, std::nullopt);
    ModelParameters& p = model.params;
    for (int f = 0; f < FieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        const double value = textToNumber(form.fieldText(field));
        parameterOf(p, field) = value;
        if (const Coupling* coupling = couplingOf(field))
            moveSlider(p, form, *coupling, value);
    }
    p.cocourant = form.coCurrentChecked() ? 1 : 0;
    writeInlets(model);
    form.repaintNow();
}

void sliderChanged(ModelState& model, AcquisitionForm& form, Slider slider) {
    const int position = form.sliderPosition(slider);
    const Coupling& coupling = couplingOf(slider);
    checkFields(form, coupling.field);
    form.setFieldText(coupling.field,
                      coupling.temperature ? temperatureSliderText(position) : flowSliderText(position));
    acquisition(model, form);
}

int sliderPositionOf(const ModelParameters& params, Slider slider) {
    const Coupling& coupling = couplingOf(slider);
    const double value = parameterOf(params, coupling.field);
    return coupling.temperature ? temperatureSliderPosition(value) : flowSliderPosition(value);
}

void writeInlets(ModelState& model) {
    const ModelParameters& p = model.params;
    model.oldNodes[0].Tc = p.Tec;
    model.oldNodes[0].Tf = p.Tef;
    model.newNodes[0].Tc = p.Tec;
    model.newNodes[0].Tf = p.Tef;
    model.oldNodes[N + 1].Tf = p.Tef;
    model.newNodes[N + 1].Tf = p.Tef;
    writeInletEntropies(model);
}

void etat_initial(ModelState& model) {
    const ModelParameters& p = model.params;
    const char* phase = "état initial";
    for (NodeArray* nodes : {&model.oldNodes, &model.newNodes}) {
        for (int i = 0; i <= N + 1; ++i) {
            NodeRecord& r = (*nodes)[i];
            r.Tc = p.Tinit;
            r.Tf = p.Tinit;
            r.Tp = p.Tinit;
            fpu::store(r.sc, entropie(p.Cpc, p.Tinit), phase);
            fpu::store(r.sf, entropie(p.Cpf, p.Tinit), phase);
            fpu::store(r.sp, entropie(p.Cpp, p.Tinit), phase);
        }
    }
    writeInlets(model);
}

} // namespace calidor
