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
    {.field = Field::tinitbox,
     .name = "Tinit",
     .parameter = &P::Tinit,
     .objectName = "tinitbox",
     .labelObjectName = "Label8",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T init (°C)"),
     .unit = "°C",
     .decimals = 2,
     .place = {576, 32, 45, Ink::Black, 488, Ink::Black},
     .tabPosition = 7,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Température initiale des deux fluides et de la paroi, en °C, au début d'une marche.")},
    {.field = Field::Tefbox,
     .name = "Tef",
     .parameter = &P::Tef,
     .objectName = "Tefbox",
     .labelObjectName = "Label1",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T entrée F (°C)"),
     .unit = "°C",
     .decimals = 2,
     .slider = Degrees(Slider::TrackBar_TEF),
     .place = {576, 64, 45, Ink::Blue, 488, Ink::Blue},
     .tabPosition = 5,
     .help = CALIDOR_TRANSLATE_NOOP("calidor::Help", "Température d'entrée du fluide froid, en °C.")},
    {.field = Field::tecbox,
     .name = "Tec",
     .parameter = &P::Tec,
     .objectName = "tecbox",
     .labelObjectName = "Label2",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "T entrée C (°C)"),
     .unit = "°C",
     .decimals = 2,
     .slider = Degrees(Slider::TrackBar_TEC),
     .place = {576, 96, 45, Ink::Red, 488, Ink::Red},
     .tabPosition = 6,
     .help = CALIDOR_TRANSLATE_NOOP("calidor::Help", "Température d'entrée du fluide chaud, en °C.")},
    {.field = Field::Cpfbox,
     .name = "Cpf",
     .parameter = &P::Cpf,
     .objectName = "Cpfbox",
     .labelObjectName = "Label9",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp F (J/kg.K)"),
     .unit = "J/kg.K",
     .decimals = 2,
     .place = {576, 128, 45, Ink::Blue, 488, Ink::Blue},
     .tabPosition = 8,
     .help =
         CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique du fluide froid, en J/kg.K.")},
    {.field = Field::Cpcbox,
     .name = "Cpc",
     .parameter = &P::Cpc,
     .objectName = "Cpcbox",
     .labelObjectName = "Label11",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp C (J/kg.K)"),
     .unit = "J/kg.K",
     .decimals = 2,
     .place = {576, 160, 45, Ink::Red, 488, Ink::Red},
     .tabPosition = 9,
     .help =
         CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique du fluide chaud, en J/kg.K.")},
    {.field = Field::debfbox,
     .name = "debf",
     .parameter = &P::debf,
     .objectName = "debfbox",
     .labelObjectName = "Label13",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "deb F (kg/s)"),
     .unit = "kg/s",
     .decimals = 4,
     .slider = Flow(Slider::TrackBar_debf),
     .place = {576, 192, 45, Ink::Blue, 488, Ink::Blue},
     .tabPosition = 10,
     .help = CALIDOR_TRANSLATE_NOOP("calidor::Help", "Débit massique du fluide froid, en kg/s.")},
    {.field = Field::debcbox,
     .name = "debc",
     .parameter = &P::debc,
     .objectName = "debcbox",
     .labelObjectName = "Label16",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "deb C (kg/s)"),
     .unit = "kg/s",
     .decimals = 4,
     .slider = Flow(Slider::TrackBar_debc),
     .place = {576, 224, 45, Ink::Red, 488, Ink::Red},
     .tabPosition = 11,
     .help = CALIDOR_TRANSLATE_NOOP("calidor::Help", "Débit massique du fluide chaud, en kg/s.")},
    {.field = Field::Edit_Kf,
     .name = "Kf",
     .parameter = &P::Kf,
     .objectName = "Edit_Kf",
     .labelObjectName = "Label12",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Coef. ech. conv F (W/m2.K)"),
     .unit = "W/m2.K",
     .designText = "2000",
     .place = {648, 272, 45, Ink::Blue, 488, Ink::Blue},
     .tabPosition = 27,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Coefficient d'échange par convection entre le fluide froid et la paroi, en W/m2.K.")},
    {.field = Field::Edit_Kc,
     .name = "Kc",
     .parameter = &P::Kc,
     .objectName = "Edit_Kc",
     .labelObjectName = "Label10",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Coef. ech. conv C (W/m2.K)"),
     .unit = "W/m2.K",
     .designText = "2000",
     .place = {648, 304, 45, Ink::Red, 488, Ink::Red},
     .tabPosition = 26,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Coefficient d'échange par convection entre le fluide chaud et la paroi, en W/m2.K.")},
    {.field = Field::Edit_sigmaf,
     .name = "sigmaf",
     .parameter = &P::sigmaf,
     .objectName = "Edit_sigmaf",
     .labelObjectName = "Label14",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Surf. ech. linéïque F (m2/m)"),
     .unit = "m2/m",
     .designText = "0.1",
     .place = {648, 336, 45, Ink::Blue, 488, Ink::Blue},
     .tabPosition = 28,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Surface d'échange entre le fluide froid et la paroi par mètre d'échangeur, en m2/m.")},
    {.field = Field::Edit_sigmac,
     .name = "sigmac",
     .parameter = &P::sigmac,
     .objectName = "Edit_sigmac",
     .labelObjectName = "Label15",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Surf. ech. linéïque C (m2/m)"),
     .unit = "m2/m",
     .designText = "0.1",
     .place = {648, 368, 45, Ink::Red, 488, Ink::Red},
     .tabPosition = 29,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Surface d'échange entre le fluide chaud et la paroi par mètre d'échangeur, en m2/m.")},
    {.field = Field::Mfbox,
     .name = "Mf",
     .parameter = &P::Mf,
     .objectName = "Mfbox",
     .labelObjectName = "Label17",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse F (kg)"),
     .unit = "kg",
     .decimals = 4,
     .place = {896, 56, 45, Ink::Blue, 808, Ink::Blue},
     .tabPosition = 12,
     .help =
         CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de fluide froid contenue dans l'échangeur, en kg.")},
    {.field = Field::Mcbox,
     .name = "Mc",
     .parameter = &P::Mc,
     .objectName = "Mcbox",
     .labelObjectName = "Label18",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse C (kg)"),
     .unit = "kg",
     .decimals = 4,
     .place = {896, 88, 45, Ink::Red, 808, Ink::Red},
     .tabPosition = 13,
     .help =
         CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de fluide chaud contenue dans l'échangeur, en kg.")},
    {.field = Field::MPbox,
     .name = "Mp",
     .parameter = &P::Mp,
     .objectName = "MPbox",
     .labelObjectName = "Label4",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Masse P (kg)"),
     .unit = "kg",
     .decimals = 4,
     .place = {896, 120, 45, Ink::Fuchsia, 808, Ink::Fuchsia},
     .tabPosition = 20,
     .help =
         CALIDOR_TRANSLATE_NOOP("calidor::Help", "Masse de la paroi qui sépare les deux fluides, en kg.")},
    {.field = Field::cppbox,
     .name = "Cpp",
     .parameter = &P::Cpp,
     .objectName = "cppbox",
     .labelObjectName = "Label5",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Cp P (J/kg.K)"),
     .unit = "J/kg.K",
     .decimals = 2,
     .place = {896, 152, 45, Ink::Fuchsia, 808, Ink::Fuchsia},
     .tabPosition = 21,
     .help = CALIDOR_TRANSLATE_NOOP("calidor::Help", "Capacité thermique massique de la paroi, en J/kg.K.")},
    {.field = Field::Tmmaxbox,
     .name = "tmax",
     .parameter = &P::tmax,
     .objectName = "Tmmaxbox",
     .labelObjectName = "Label19",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Time max (s)"),
     .unit = "s",
     .decimals = 2,
     .place = {72, 192, 49, Ink::Red, 0, Ink::Black},
     .tabPosition = 14,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help", "Durée simulée d'une marche, en secondes : la marche s'arrête à ce temps.")},
    {.field = Field::dtbox,
     .name = "dt",
     .parameter = &P::dt,
     .objectName = "dtbox",
     .labelObjectName = "label20",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "dt (s)"),
     .unit = "s",
     .decimals = 4,
     .place = {40, 224, 49, Ink::Red, 8, Ink::Black},
     .tabPosition = 15,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Pas de temps du calcul, en secondes : le temps simulé avance de dt à chaque pas.")},
    {.field = Field::Edit_long,
     .name = "Lech",
     .parameter = &P::Lech,
     .objectName = "Edit_long",
     .labelObjectName = "Label21",
     .caption = CALIDOR_TRANSLATE_NOOP("calidor::TForm1", "Longueur de l'échangeur (m)"),
     .unit = "m",
     .designText = "1",
     .place = {320, 296, 45, Ink::Red, 160, Ink::Teal, true},
     .tabPosition = 30,
     .help = CALIDOR_TRANSLATE_NOOP(
         "calidor::Help",
         "Longueur de l'échangeur, en mètres ; elle ne change plus après la première marche.")},
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
