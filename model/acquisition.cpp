#include "model/acquisition.h"

#include "model/arithmeticfault.h"
#include "model/numbertext.h"

namespace calidor {

namespace {

// A text too large for a double ("1e400") faults; the message names the
// field by its label, so the user knows which one to correct.
double readField(const AcquisitionForm& form, Field field) {
    try {
        return textToNumber(form.fieldText(field));
    } catch (const ArithmeticFault& fault) {
        throw ArithmeticFault(fault.kind(), std::string("lecture du champ « ") + fieldLabel(field) + " »");
    }
}

// Where each field's value goes, in reading order.
double& parameterOf(ModelParameters& p, Field field) {
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

// The slider that follows a field, if any, and the position its rule gives.
bool followingSlider(Field field, double value, Slider& slider, int& position) {
    switch (field) {
    case Field::Tefbox:
        slider = Slider::TrackBar_TEF;
        position = temperatureSliderPosition(value);
        return true;
    case Field::tecbox:
        slider = Slider::TrackBar_TEC;
        position = temperatureSliderPosition(value);
        return true;
    case Field::debfbox:
        slider = Slider::TrackBar_debf;
        position = flowSliderPosition(value);
        return true;
    case Field::debcbox:
        slider = Slider::TrackBar_debc;
        position = flowSliderPosition(value);
        return true;
    default:
        return false;
    }
}

Field fieldOf(Slider slider) {
    switch (slider) {
    case Slider::TrackBar_TEF:
        return Field::Tefbox;
    case Slider::TrackBar_TEC:
        return Field::tecbox;
    case Slider::TrackBar_debf:
        return Field::debfbox;
    case Slider::TrackBar_debc:
        return Field::debcbox;
    }
    return Field::Tefbox;
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

void acquisition(ModelState& model, AcquisitionForm& form) {
    ModelParameters& p = model.params;
    for (int f = 0; f < FieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        const double value = readField(form, field);
        parameterOf(p, field) = value;
        Slider slider;
        int position;
        // A slider that moves runs its handler at once, which rewrites its
        // field and runs acquisition again from the first field (nested).
        if (followingSlider(field, value, slider, position))
            form.setSliderPosition(slider, position);
    }
    p.cocourant = form.coCurrentChecked() ? 1 : 0;
    writeInlets(model);
    form.repaintNow();
}

void sliderChanged(ModelState& model, AcquisitionForm& form, Slider slider) {
    const int position = form.sliderPosition(slider);
    const bool temperature = slider == Slider::TrackBar_TEF || slider == Slider::TrackBar_TEC;
    form.setFieldText(fieldOf(slider),
                      temperature ? temperatureSliderText(position) : flowSliderText(position));
    acquisition(model, form);
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
