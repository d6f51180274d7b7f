#include "files/fieldnames.h"

namespace calidor::files {

namespace {

// Each field and the parameter it sets; the name comes from the model's own
// list of named parameters, so there is one spelling of each.
struct FieldParameter {
    Field field;
    double ModelParameters::*member;
};
constexpr FieldParameter FieldParameters[FieldCount] = {
    {Field::Tefbox, &ModelParameters::Tef},         {Field::tecbox, &ModelParameters::Tec},
    {Field::tinitbox, &ModelParameters::Tinit},     {Field::Cpfbox, &ModelParameters::Cpf},
    {Field::Cpcbox, &ModelParameters::Cpc},         {Field::cppbox, &ModelParameters::Cpp},
    {Field::Mfbox, &ModelParameters::Mf},           {Field::Mcbox, &ModelParameters::Mc},
    {Field::MPbox, &ModelParameters::Mp},           {Field::Edit_Kf, &ModelParameters::Kf},
    {Field::Edit_Kc, &ModelParameters::Kc},         {Field::Edit_sigmaf, &ModelParameters::sigmaf},
    {Field::Edit_sigmac, &ModelParameters::sigmac}, {Field::Edit_long, &ModelParameters::Lech},
    {Field::debfbox, &ModelParameters::debf},       {Field::debcbox, &ModelParameters::debc},
    {Field::Tmmaxbox, &ModelParameters::tmax},      {Field::dtbox, &ModelParameters::dt},
};

const char* nameOfMember(double ModelParameters::*member) {
    for (const NamedParameter& np : NamedParameters)
        if (np.member == member)
            return np.name;
    return "";
}

} // namespace

const char* fieldName(Field field) {
    return nameOfMember(FieldParameters[static_cast<int>(field)].member);
}

double fieldValue(const ModelParameters& params, Field field) {
    return params.*FieldParameters[static_cast<int>(field)].member;
}

std::optional<Field> fieldNamed(std::string_view name) {
    for (const FieldParameter& fp : FieldParameters)
        if (name == nameOfMember(fp.member))
            return fp.field;
    return std::nullopt;
}

} // namespace calidor::files
