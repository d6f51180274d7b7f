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

// A parameter with a point and its fixed number of decimals, but for the
// fields that keep the short texts the window was designed with.
std::string startupText(const ModelParameters& p, const FieldEntry& entry) {
    if (entry.designText)
        return entry.designText;
    return fixedText(p.*entry.parameter, entry.decimals);
}

// A temperature slider's position is a whole number of degrees; a flow
// slider's has its own scale.
bool slidesInDegrees(const SliderCoupling& coupling) {
    return coupling.scale == SliderScale::Degrees;
}

// Whether a value lies outside what its slider can reach, so that a move of
// the slider brings it back to the slider's end.
bool outsideSliderRange(const SliderCoupling& coupling, double value) {
    if (slidesInDegrees(coupling))
        return value < 0 || value > 100;
    return value < flowOfSliderPosition(5) || value > flowOfSliderPosition(100);
}

// Sets the slider of a field just read. A slider that moves runs its handler
// at once, which rewrites its field and runs acquisition again from the
// first field (nested); a value it brought back into its range is reported.
void moveSlider(const ModelParameters& p, AcquisitionForm& form, const FieldEntry& entry, double value) {
    const SliderCoupling& coupling = *entry.slider;
    const int position =
        slidesInDegrees(coupling) ? temperatureSliderPosition(value) : flowSliderPosition(value);
    const bool moves = form.sliderPosition(coupling.slider) != position;
    form.setSliderPosition(coupling.slider, position);
    if (moves && outsideSliderRange(coupling, value))
        form.valueBroughtIntoRange(entry.field, value, p.*entry.parameter);
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

std::array<std::string, FieldCount> startupFieldTexts(const ModelParameters& p) {
    std::array<std::string, FieldCount> texts;
    for (int f = 0; f < FieldCount; ++f)
        texts[f] = startupText(p, fieldEntry(static_cast<Field>(f)));
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
        const FieldEntry& entry = fieldEntry(field);
        p.*entry.parameter = value;
        if (entry.slider)
            moveSlider(p, form, entry, value);
    }
    p.cocourant = form.coCurrentChecked() ? 1 : 0;
    writeInlets(model);
    form.repaintNow();
}

void sliderChanged(ModelState& model, AcquisitionForm& form, Slider slider) {
    const int position = form.sliderPosition(slider);
    const FieldEntry& entry = fieldOf(slider);
    checkFields(form, entry.field);
    form.setFieldText(entry.field, slidesInDegrees(*entry.slider) ? temperatureSliderText(position)
                                                                  : flowSliderText(position));
    acquisition(model, form);
}

int sliderPositionOf(const ModelParameters& params, Slider slider) {
    const FieldEntry& entry = fieldOf(slider);
    const double value = params.*entry.parameter;
    return slidesInDegrees(*entry.slider) ? temperatureSliderPosition(value) : flowSliderPosition(value);
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
