#pragma once
// The desktop's "open": hands an address (a web page, a "mailto:" address,
// a document) to the program the desktop chooses for it. Tests put their own
// opener in its place.

#include <QString>

#include <functional>

namespace calidor {

using ShellOpener = std::function<void(const QString& address)>;

/// Opens the address with the desktop's default handler; the result is not
/// checked: an address nobody handles does nothing.
void shellOpen(const QString& address);

/// Replaces the opener (for tests); an empty opener puts the desktop's back.
void setShellOpener(ShellOpener opener);

} // namespace calidor
