#pragma once
// What the main window shows at start-up, written out once for every test
// that starts from it: the parameter fields' texts and the sliders'
// positions.

#include "model/acquisition.h"

#include <array>

namespace calidor::testing {

/// The parameter fields' texts at start-up, in the fields' order (Field).
inline constexpr std::array<const char*, FieldCount> StartupTexts = {
    "2.00", "70.00", "5.00", "4180.00", "4180.00", "500.00", "0.0500", "0.0500", "0.0100",
    "2000", "2000",  "0.1",  "0.1",     "1",       "0.0150", "0.0150", "300.00", "0.0040"};

/// The fields' object names on the main window, in the fields' order (Field).
inline constexpr std::array<const char*, FieldCount> FieldNames = {
    "Tefbox",      "tecbox",    "tinitbox", "Cpfbox",  "Cpcbox",   "cppbox",
    "Mfbox",       "Mcbox",     "MPbox",    "Edit_Kf", "Edit_Kc",  "Edit_sigmaf",
    "Edit_sigmac", "Edit_long", "debfbox",  "debcbox", "Tmmaxbox", "dtbox"};

/// The sliders' object names on the main window, in the sliders' order (Slider).
inline constexpr std::array<const char*, 4> SliderNames = {"TrackBar_TEF", "TrackBar_TEC", "TrackBar_debf",
                                                           "TrackBar_debc"};

/// The four sliders' positions at start-up, in the sliders' order (Slider).
inline constexpr std::array<int, 4> StartupSliders = {2, 70, 50, 50};

} // namespace calidor::testing
