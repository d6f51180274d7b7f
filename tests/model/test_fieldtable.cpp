// The field table: one entry per field, named as the parameters are named,
// found again by its name and by nothing else.
#include "model/acquisition.h"
#include "model/fieldtable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

using namespace calidor;

namespace {

// ---- One entry per field, and per parameter -----------------------------

TEST(FieldTable, EveryFieldHasExactlyOneEntry) {
    ASSERT_EQ(fieldTable().size(), std::size_t(FieldCount));
    std::set<Field> seen;
    for (const FieldEntry& entry : fieldTable())
        EXPECT_TRUE(seen.insert(entry.field).second) << entry.objectName << " twice";
    for (int f = 0; f < FieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        EXPECT_EQ(fieldEntry(field).field, field) << f;
    }
}

TEST(FieldTable, NamesAreTheParametersNamesWithTheirMembers) {
    std::set<std::string> names;
    for (const FieldEntry& entry : fieldTable()) {
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(names.insert(entry.name).second) << "name given twice";
        bool named = false;
        for (const NamedParameter& np : NamedParameters)
            if (std::string_view(np.name) == entry.name) {
                named = true;
                EXPECT_TRUE(np.member == entry.parameter) << "the name goes to another parameter";
            }
        EXPECT_TRUE(named) << "not a parameter's name";
    }
    EXPECT_EQ(names.size(), std::size(NamedParameters)) << "a parameter without a field";
}

// Each field's value goes to its own parameter and to no other.
TEST(FieldTable, EachFieldWritesItsOwnParameter) {
    for (const FieldEntry& entry : fieldTable()) {
        SCOPED_TRACE(entry.name);
        ModelParameters params;
        const ModelParameters before = params;
        parameterOf(params, entry.field) = -12345.5;
        for (const NamedParameter& np : NamedParameters)
            EXPECT_EQ(params.*np.member, np.member == entry.parameter ? -12345.5 : before.*np.member)
                << np.name;
    }
}

// ---- Found by name ------------------------------------------------------

TEST(FieldTable, LookupByNameRoundTripsAndRefusesOtherNames) {
    for (const FieldEntry& entry : fieldTable())
        EXPECT_EQ(fieldByName(entry.name), entry.field) << entry.name;
    // Neither near misses, nor the controls' names, nor what is no field.
    const std::string_view others[] = {"",
                                       "tec",
                                       "TEC",
                                       "Tec ",
                                       " Tec",
                                       "Te",
                                       "Tecc",
                                       "Tefbox",
                                       "Label1",
                                       "cocourant",
                                       "T entrée C (°C)",
                                       std::string_view("Tec\0x", 5)};
    for (std::string_view other : others)
        EXPECT_FALSE(fieldByName(other).has_value()) << std::string(other);
}

// ---- What the window and the help read -----------------------------------

TEST(FieldTable, CaptionsGiveTheirUnitAndNamesAreUnique) {
    std::set<std::string> controls, tabs;
    std::set<int> tabPositions;
    for (const FieldEntry& entry : fieldTable()) {
        SCOPED_TRACE(entry.objectName);
        const std::string caption = entry.caption;
        EXPECT_TRUE(caption.ends_with(std::string(" (") + entry.unit + ")")) << caption;
        EXPECT_STREQ(fieldLabel(entry.field), entry.caption);
        EXPECT_TRUE(controls.insert(entry.objectName).second);
        EXPECT_TRUE(controls.insert(entry.labelObjectName).second);
        EXPECT_TRUE(tabPositions.insert(entry.tabPosition).second) << "two fields at one tab stop";
        EXPECT_NE(std::string(entry.help), "");
        EXPECT_TRUE(entry.designText || entry.decimals > 0) << "no start-up text";
    }
}

TEST(FieldTable, EachSliderIsCoupledWithOneFieldOnItsScale) {
    const struct {
        Slider slider;
        Field field;
        SliderScale scale;
    } couplings[] = {
        {Slider::TrackBar_TEF, Field::Tefbox, SliderScale::Degrees},
        {Slider::TrackBar_TEC, Field::tecbox, SliderScale::Degrees},
        {Slider::TrackBar_debf, Field::debfbox, SliderScale::Flow},
        {Slider::TrackBar_debc, Field::debcbox, SliderScale::Flow},
    };
    int coupled = 0;
    for (const FieldEntry& entry : fieldTable())
        coupled += entry.slider.has_value();
    EXPECT_EQ(coupled, SliderCount);
    for (const auto& c : couplings) {
        const FieldEntry& entry = fieldOf(c.slider);
        EXPECT_EQ(entry.field, c.field);
        ASSERT_TRUE(entry.slider.has_value());
        EXPECT_EQ(entry.slider->slider, c.slider);
        EXPECT_EQ(entry.slider->scale, c.scale);
    }
}

} // namespace
