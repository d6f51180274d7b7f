#include "model/fieldtable.h"

#include <algorithm>
#include <array>

// Marks a text that the window translates under `context`. The model knows
// no Qt: the catalogue's refresh reads this mark as Qt's QT_TRANSLATE_NOOP.
#define CALIDOR_TRANSLATE_NOOP(context, text) text

namespace calidor {

namespace {

using P = ModelParameters;

constexpr SliderCoupling Degrees(Slider slider) {
    return {slider, SliderScale::Degrees};
}
constexpr SliderCoupling Flow(Slider slider) {
    return {slider, SliderScale::Flow};
}

// In the order the window builds its rows: the first column top to bottom,
// then the column of masses, then the run's own fields on the left.
constexpr FieldEntry Table[] = {
    {Field::tinitbox,
     "Tinit",
     &P::Tinit,
     "tinitbox",
     "Label8",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T init (°C)"),
     "°C",
     2,
     nullptr,
     std::nullopt,
     {576, 32, 45, Ink::Black, 488, Ink::Black, false},
     7,
     CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Température initiale des deux fluides et de la paroi, en °C, au début d'une marche.")},
    {Field::Tefbox,
     "Tef",
     &P::Tef,
     "Tefbox",
     "Label1",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T entrée F (°C)"),
     "°C",
     2,
     nullptr,
     Degrees(Slider::TrackBar_TEF),
     {576, 64, 45, Ink::Blue, 488, Ink::Blue, false},
     5,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Température d'entrée du fluide froid, en °C.")},
    {Field::tecbox,
     "Tec",
     &P::Tec,
     "tecbox",
     "Label2",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T entrée C (°C)"),
     "°C",
     2,
     nullptr,
     Degrees(Slider::TrackBar_TEC),
     {576, 96, 45, Ink::Red, 488, Ink::Red, false},
     6,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Température d'entrée du fluide chaud, en °C.")},
    {Field::Cpfbox,
     "Cpf",
     &P::Cpf,
     "Cpfbox",
     "Label9",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp F (J/kg.K)"),
     "J/kg.K",
     2,
     nullptr,
     std::nullopt,
     {576, 128, 45, Ink::Blue, 488, Ink::Blue, false},
     8,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique du fluide froid, en J/kg.K.")},
    {Field::Cpcbox,
     "Cpc",
     &P::Cpc,
     "Cpcbox",
     "Label11",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp C (J/kg.K)"),
     "J/kg.K",
     2,
     nullptr,
     std::nullopt,
     {576, 160, 45, Ink::Red, 488, Ink::Red, false},
     9,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique du fluide chaud, en J/kg.K.")},
    {Field::debfbox,
     "debf",
     &P::debf,
     "debfbox",
     "Label13",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "deb F (kg/s)"),
     "kg/s",
     4,
     nullptr,
     Flow(Slider::TrackBar_debf),
     {576, 192, 45, Ink::Blue, 488, Ink::Blue, false},
     10,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Débit massique du fluide froid, en kg/s.")},
    {Field::debcbox,
     "debc",
     &P::debc,
     "debcbox",
     "Label16",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "deb C (kg/s)"),
     "kg/s",
     4,
     nullptr,
     Flow(Slider::TrackBar_debc),
     {576, 224, 45, Ink::Red, 488, Ink::Red, false},
     11,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Débit massique du fluide chaud, en kg/s.")},
    {Field::Edit_Kf,
     "Kf",
     &P::Kf,
     "Edit_Kf",
     "Label12",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Coef. ech. conv F (W/m2.K)"),
     "W/m2.K",
     0,
     "2000",
     std::nullopt,
     {648, 272, 45, Ink::Blue, 488, Ink::Blue, false},
     27,
     CALIDOR_TRANSLATE_NOOP("calidor::Help",
                            "Coefficient d'échange par convection entre le fluide froid et la paroi, en "
                            "W/m2.K.")},
    {Field::Edit_Kc,
     "Kc",
     &P::Kc,
     "Edit_Kc",
     "Label10",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Coef. ech. conv C (W/m2.K)"),
     "W/m2.K",
     0,
     "2000",
     std::nullopt,
     {648, 304, 45, Ink::Red, 488, Ink::Red, false},
     26,
     CALIDOR_TRANSLATE_NOOP("calidor::Help",
                            "Coefficient d'échange par convection entre le fluide chaud et la paroi, en "
                            "W/m2.K.")},
    {Field::Edit_sigmaf,
     "sigmaf",
     &P::sigmaf,
     "Edit_sigmaf",
     "Label14",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Surf. ech. linéïque F (m2/m)"),
     "m2/m",
     0,
     "0.1",
     std::nullopt,
     {648, 336, 45, Ink::Blue, 488, Ink::Blue, false},
     28,
     CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Surface d'échange entre le fluide froid et la paroi par mètre d'échangeur, en m2/m.")},
    {Field::Edit_sigmac,
     "sigmac",
     &P::sigmac,
     "Edit_sigmac",
     "Label15",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Surf. ech. linéïque C (m2/m)"),
     "m2/m",
     0,
     "0.1",
     std::nullopt,
     {648, 368, 45, Ink::Red, 488, Ink::Red, false},
     29,
     CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Surface d'échange entre le fluide chaud et la paroi par mètre d'échangeur, en m2/m.")},
    {Field::Mfbox,
     "Mf",
     &P::Mf,
     "Mfbox",
     "Label17",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse F (kg)"),
     "kg",
     4,
     nullptr,
     std::nullopt,
     {896, 56, 45, Ink::Blue, 808, Ink::Blue, false},
     12,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de fluide froid contenue dans l'échangeur, en kg.")},
    {Field::Mcbox,
     "Mc",
     &P::Mc,
     "Mcbox",
     "Label18",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse C (kg)"),
     "kg",
     4,
     nullptr,
     std::nullopt,
     {896, 88, 45, Ink::Red, 808, Ink::Red, false},
     13,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de fluide chaud contenue dans l'échangeur, en kg.")},
    {Field::MPbox,
     "Mp",
     &P::Mp,
     "MPbox",
     "Label4",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse P (kg)"),
     "kg",
     4,
     nullptr,
     std::nullopt,
     {896, 120, 45, Ink::Fuchsia, 808, Ink::Fuchsia, false},
     20,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de la paroi qui sépare les deux fluides, en kg.")},
    {Field::cppbox,
     "Cpp",
     &P::Cpp,
     "cppbox",
     "Label5",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp P (J/kg.K)"),
     "J/kg.K",
     2,
     nullptr,
     std::nullopt,
     {896, 152, 45, Ink::Fuchsia, 808, Ink::Fuchsia, false},
     21,
     CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique de la paroi, en J/kg.K.")},
    {Field::Tmmaxbox,
     "tmax",
     &P::tmax,
     "Tmmaxbox",
     "Label19",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Time max (s)"),
     "s",
     2,
     nullptr,
     std::nullopt,
     {72, 192, 49, Ink::Red, 0, Ink::Black, false},
     14,
     CALIDOR_TRANSLATE_NOOP("calidor::Help",
                            "Durée simulée d'une marche, en secondes : la marche s'arrête à ce temps.")},
    {Field::dtbox,
     "dt",
     &P::dt,
     "dtbox",
     "label20",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "dt (s)"),
     "s",
     4,
     nullptr,
     std::nullopt,
     {40, 224, 49, Ink::Red, 8, Ink::Black, false},
     15,
     CALIDOR_TRANSLATE_NOOP("calidor::Help",
                            "Pas de temps du calcul, en secondes : le temps simulé avance de dt à chaque "
                            "pas.")},
    {Field::Edit_long,
     "Lech",
     &P::Lech,
     "Edit_long",
     "Label21",
     CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Longueur de l'échangeur (m)"),
     "m",
     0,
     "1",
     std::nullopt,
     {320, 296, 45, Ink::Red, 160, Ink::Teal, true},
     30,
     CALIDOR_TRANSLATE_NOOP("calidor::Help",
                            "Longueur de l'échangeur, en mètres ; elle ne change plus après la première "
                            "marche.")},
};
static_assert(std::size(Table) == FieldCount, "one entry per field");

// Each field's row in the table, so that a lookup by field is an index.
constexpr std::array<int, FieldCount> rowsByField() {
    std::array<int, FieldCount> rows{};
    for (int row = 0; row < FieldCount; ++row)
        rows[static_cast<int>(Table[row].field)] = row;
    return rows;
}
constexpr std::array<int, FieldCount> RowOfField = rowsByField();

} // namespace

std::span<const FieldEntry> fieldTable() {
    return Table;
}

const FieldEntry& fieldEntry(Field field) {
    return Table[RowOfField[static_cast<int>(field)]];
}

std::optional<Field> fieldByName(std::string_view name) {
    const auto found = std::find_if(std::begin(Table), std::end(Table),
                                    [name](const FieldEntry& e) { return name == e.name; });
    if (found == std::end(Table))
        return std::nullopt;
    return found->field;
}

const FieldEntry& fieldOf(Slider slider) {
    const auto found = std::find_if(std::begin(Table), std::end(Table), [slider](const FieldEntry& e) {
        return e.slider && e.slider->slider == slider;
    });
    return found != std::end(Table) ? *found : Table[0];
}

} // namespace calidor
