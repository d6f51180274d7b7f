#pragma once
// What the main window tells a student and an assistive technology about each
// control: the tooltips that say what a quantity is, its unit and how far its
// slider reaches; each field's label as its buddy; accessible names and
// descriptions.

#include "model/acquisition.h"

#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

namespace calidor {

/// The main window's fields with their labels (indexed by Field) and its
/// sliders (indexed by Slider).
struct FieldWidgets {
    std::array<QLineEdit*, FieldCount> fields;
    std::array<QLabel*, FieldCount> labels;
    std::array<QSlider*, SliderCount> sliders;
};

/// Gives every field and slider, and the buttons and charts of the main
/// window (found by object name under `window`), its tooltip, label buddy,
/// accessible name and accessible description, in the language of the
/// installed translations; a field too narrow for its text shows the whole
/// text in its tooltip.
void describeMainWindow(QWidget* window, const FieldWidgets& widgets);

/// Whether a field's text is wider than the part of the field that shows it.
bool textOverflows(const QLineEdit* field);

/// A field's tooltip as it is shown: its own text (what the quantity is, or
/// what is wrong with what was typed), then, when the text is wider than the
/// field, the whole text. describeMainWindow makes the fields show it.
QString shownFieldToolTip(const QLineEdit* field);

/// The values a slider reaches between `minimum` and `maximum`, and its step,
/// as the field shows them once the slider has settled, written with a point
/// and as few digits as they need ("0.0015"): the flow sliders never stay
/// below the lowest flow the model accepts.
struct SliderReach {
    QString lowest, highest, step;
};
SliderReach sliderReach(Slider slider, int minimum, int maximum);

} // namespace calidor
