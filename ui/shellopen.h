#pragma once
// The desktop's "open": hands an address (a web page, a "mailto:" address,
// a document) to the program the desktop chooses for it. Tests put their own
// opener in its place.

#include <QString>

#include <functional>

class QWidget;

namespace calidor {

/// Hands an address on; false when nothing would take it.
using ShellOpener = std::function<bool(const QString& address)>;

/// Opens the address with the desktop's default handler. False when the
/// desktop has nothing to open it with; a program that opens it and then
/// fails is not seen.
bool shellOpen(const QString& address);

/// Replaces the opener (for tests); an empty opener puts the desktop's back.
void setShellOpener(ShellOpener opener);

/// Opens the document on the model; when it is missing, or nothing can open
/// it, a message over `parent` (objectName "documentNotOpened", not modal to
/// the application: the windows go on) says so and where the document is.
void openModelDocument(const QString& path, QWidget* parent);

} // namespace calidor
