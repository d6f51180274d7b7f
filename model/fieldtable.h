#pragma once
// The parameter fields of the main window, described once: for each field its
// parameter and that parameter's name, the names of its control and label,
// its caption and unit, its start-up text, its slider, its place in the
// window and in the tab chain, and what its help says. The window, its help,
// acquisition, the lessons and the programs that take parameters by name all
// read this table, so a field is never described twice.

#include "model/modelstate.h"

#include <optional>
#include <span>
#include <string_view>

namespace calidor {

/// The parameter fields, in the order acquisition reads them.
enum class Field {
    Tefbox,
    tecbox,
    tinitbox,
    Cpfbox,
    Cpcbox,
    cppbox,
    Mfbox,
    Mcbox,
    MPbox,
    Edit_Kf,
    Edit_Kc,
    Edit_sigmaf,
    Edit_sigmac,
    Edit_long,
    debfbox,
    debcbox,
    Tmmaxbox,
    dtbox
};
constexpr int FieldCount = 18;

/// The four sliders coupled with a field.
enum class Slider { TrackBar_TEF, TrackBar_TEC, TrackBar_debf, TrackBar_debc };
constexpr int SliderCount = 4;

/// How a slider's position reads: a whole number of degrees from 0 to 100,
/// or a flow on the flow sliders' own scale.
enum class SliderScale { Degrees, Flow };

/// A slider and the scale its position is read on.
struct SliderCoupling {
    Slider slider;
    SliderScale scale;
};

/// The fixed colours the window draws field and label texts in.
enum class Ink { Black, Blue, Red, Fuchsia, Teal };

/// Where a field and its label stand in the window's client area, in pixels.
/// The label stands on the field's line, at its own left edge.
struct FieldPlace {
    int left, top, width;
    Ink ink;
    int labelLeft;
    Ink labelInk;
    bool labelOnPatch = false; ///< the label sits on a patch of the window's own colour
};

/// One field. The caption, unit and help are UTF-8 French; the window
/// translates the caption under "calidor::TForm1" and the help under
/// "calidor::Help".
struct FieldEntry {
    Field field;
    const char* name;                       ///< the parameter's name, as in NamedParameters ("Tef")
    double ModelParameters::*parameter;     ///< where the field's value goes
    const char* objectName;                 ///< the field's control ("Tefbox")
    const char* labelObjectName;            ///< its label ("Label1")
    const char* caption;                    ///< the label's caption ("T entrée F (°C)")
    const char* unit;                       ///< the unit the caption gives ("°C")
    int decimals = 0;                       ///< decimals of the start-up text, when designText is null
    const char* designText = nullptr;       ///< a start-up text fixed whatever the value ("2000"), or null
    std::optional<SliderCoupling> slider{}; ///< the slider that follows the field, if any
    FieldPlace place;
    int tabPosition;  ///< the field's place in the window's whole tab chain, from 0
    const char* help; ///< what the quantity is and its unit (tooltip and description)
};

/// Every field once, in the order the window builds its rows.
std::span<const FieldEntry> fieldTable();

/// The entry of a field.
const FieldEntry& fieldEntry(Field field);

/// The field whose parameter has this name ("debc"), compared exactly; none
/// for any other text, "cocourant" included (it is no field).
std::optional<Field> fieldByName(std::string_view name);

/// The field coupled with a slider.
const FieldEntry& fieldOf(Slider slider);

/// The value a field gives, in these parameters.
inline double& parameterOf(ModelParameters& params, Field field) {
    return params.*fieldEntry(field).parameter;
}
inline double parameterOf(const ModelParameters& params, Field field) {
    return params.*fieldEntry(field).parameter;
}

} // namespace calidor
