#pragma once
// Taking the parameters from the main window, and the initial state of a run.
// The model knows the window only through AcquisitionForm, so the coupling of
// fields and sliders (and its nesting) runs and is tested without widgets.

#include "model/fieldtable.h"
#include "model/modelstate.h"
#include "model/numbertext.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace calidor {

/// What acquisition needs of the main window.
class AcquisitionForm {
public:
    virtual ~AcquisitionForm() = default;
    /// The field's text, as UTF-8.
    virtual std::string fieldText(Field field) const = 0;
    virtual void setFieldText(Field field, const std::string& text) = 0;
    virtual int sliderPosition(Slider slider) const = 0;
    /// Moves the slider. When the position differs from the current one the
    /// slider's change handler runs before this returns (sliderChanged, which
    /// runs acquisition again, nested); an equal position does nothing.
    virtual void setSliderPosition(Slider slider, int position) = 0;
    /// Whether the flow-arrangement box is checked (checked is co-current).
    virtual bool coCurrentChecked() const = 0;
    /// Shows rewritten fields and moved sliders at once.
    virtual void repaintNow() = 0;
    /// A value typed outside its slider's range was brought back into it:
    /// the slider moved to its end and the parameter took `taken`, not
    /// `typed`. Called once the slider's handler has returned.
    virtual void valueBroughtIntoRange(Field field, double typed, double taken) {
        (void)field, (void)typed, (void)taken;
    }
};

/// A field whose text is not a number: the text and why.
struct FieldRefusal {
    Field field;
    std::string text;
    NumberCheck check;
};

/// Raised by acquisition before it takes anything when fields hold texts that
/// are not numbers. `what()` names every such field and says why, in French.
class RefusedFields : public std::runtime_error {
public:
    explicit RefusedFields(std::vector<FieldRefusal> refusals);
    const std::vector<FieldRefusal>& refusals() const { return m_refusals; }

private:
    std::vector<FieldRefusal> m_refusals;
};

/// The fields whose texts checkNumberText refuses, in reading order, but
/// `skipped` (a slider's field that its handler is about to rewrite).
std::vector<FieldRefusal> refusedFields(const AcquisitionForm& form, std::optional<Field> skipped = {});

/// The caption of a field's label on the main window ("Cp F (J/kg.K)"), UTF-8.
inline const char* fieldLabel(Field field) {
    return fieldEntry(field).caption;
}

/// The fields' texts at start-up, in the fields' order, for these parameters:
/// each value with a point and a fixed number of decimals ("4180.00",
/// "0.0150"), but the convection coefficients, the exchange surfaces and the
/// length, which show the short texts "2000", "0.1" and "1" whatever the values.
std::array<std::string, FieldCount> startupFieldTexts(const ModelParameters& params = {});

/// Reads the 18 fields and the check box into the parameters, field by field,
/// moving each slider to match its field as soon as its parameter is stored,
/// then writes the inlet nodes and repaints. Every text is checked first:
/// with any field refused it raises RefusedFields, and with a text too large
/// for a double ArithmeticFault (overflow, named by its field's label), in
/// both cases before anything is taken or moved. Raises ArithmeticFault for
/// an inlet at or below absolute zero too; what was stored before it stays.
void acquisition(ModelState& model, AcquisitionForm& form);

/// The body of a slider's change handler: rewrites the slider's field from its
/// position, then runs acquisition. The other fields are checked before the
/// field is rewritten: when one is refused nothing is written or taken (the
/// slider alone has moved) and RefusedFields is raised.
void sliderChanged(ModelState& model, AcquisitionForm& form, Slider slider);

/// The position a slider takes for the parameter in force (the value its
/// field last gave).
int sliderPositionOf(const ModelParameters& params, Slider slider);

/// Writes the inlet temperatures and entropies into nodes 0 and N + 1 of both
/// arrays, whatever the flow arrangement.
void writeInlets(ModelState& model);

/// Puts the whole exchanger (nodes 0 to N + 1 of both arrays) at Tinit, then
/// writes the inlets. Records above N + 1, time, nstep and the results stay.
void etat_initial(ModelState& model);

} // namespace calidor
