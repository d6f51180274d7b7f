#pragma once
// The program's start-up, from the command line to the end of the message
// loop.

#include "ui/commandline.h"

#include <QIcon>
#include <QString>

namespace calidor {

/// The application's reverse-domain identifier: the desktop entry's, the
/// metainfo's and the icon's name.
QString applicationId();

/// The window icon of both windows, at every size that pictures/ holds.
QIcon applicationIcon();

/// Sets the application's name ("calidor"), version, organisation and
/// desktop file name (not the display name: see startup.cpp). Needs no
/// application object: call it before QApplication exists.
void setApplicationIdentity();

/// The whole program: reads the command line and answers --help, --version
/// and option errors without any window system; says so in one line and
/// returns 1 when no display can be used; otherwise opens the application and
/// runs runCalidor(). Returns the process's exit status.
int calidorMain(int& argc, char** argv);

/// Sets the window icon of both windows, creates the main window (its
/// FormCreate writes the default texts), then the About dialog, whose creation
/// shows it modally, so the program opens with the About dialog alone; once it
/// is closed, shows the main window and runs the message loop until the main
/// window closes or "quiter" is pressed. Needs a QApplication; returns the
/// loop's exit status.
int runCalidor(const CommandLine& options = {});

} // namespace calidor
