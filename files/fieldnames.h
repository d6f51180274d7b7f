#pragma once
// The names the set-up files and the command line give the fields: the
// parameters' names in the code (Tec, debc, Lech...).

#include "model/acquisition.h"

#include <optional>
#include <string_view>

namespace calidor::files {

/// The name of a field's parameter ("debc" for the hot flow field).
const char* fieldName(Field field);

/// The value a field gives its parameter.
double fieldValue(const ModelParameters& params, Field field);

/// The field of a parameter name, or none for a name that is no field's.
std::optional<Field> fieldNamed(std::string_view name);

} // namespace calidor::files
