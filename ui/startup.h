#pragma once
// The program's start-up, from the application object to the end of the
// message loop.

namespace calidor {

/// Creates the main window (its FormCreate writes the default texts), then
/// the About dialog, whose creation shows it modally, so the program opens
/// with the About dialog alone; once it is closed, shows the main window and
/// runs the message loop until the main window closes or "quiter" is pressed.
/// Needs a QApplication; returns the loop's exit status.
int runCalidor();

} // namespace calidor
