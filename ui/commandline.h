#pragma once
// The program's command line, read before any window system is needed, so
// that --help and --version work anywhere and a missing display is reported
// in one clear line instead of an abort.

#include <QString>
#include <QStringList>

namespace calidor {

/// What the command line asks for. Options that are not ours (Qt's own, such
/// as -platform or -style) are left to QApplication.
struct CommandLine {
    enum class Action {
        Run,     ///< open the windows
        Help,    ///< print text to standard output, exit 0
        Version, ///< print text to standard output, exit 0
        Error,   ///< print text to standard error, exit 2
        Batch    ///< run a set-up file without a window, see `batch`
    };
    Action action = Action::Run;
    /// --lang en: English texts; French otherwise, whatever the locale.
    bool english = false;
    /// The help or version text, or the error message; ends with a newline.
    QString text;

    /// --batch FILE --csv OUT [--profiles OUT2] [--set NAME=TEXT ...] [--dialect fr]
    struct BatchRequest {
        QString setupPath;
        QString csvPath;
        QString profilesPath;  ///< empty: beside the CSV file
        QStringList overrides; ///< NAME=TEXT, in their order
        bool frenchDialect = false;
    } batch;
};

/// Reads the program's own options from the arguments (the program's name
/// first, as in argv): -h/--help, -v/--version, --lang en|fr, and the run
/// without a window (--batch, --csv, --profiles, --set, --dialect).
CommandLine parseCommandLine(const QStringList& arguments);

/// The arguments of main() as strings, decoded from the locale's encoding.
QStringList argumentList(int argc, const char* const* argv);

/// True when a window system may be reached: a platform is chosen explicitly
/// (QT_QPA_PLATFORM or a -platform argument) or DISPLAY or WAYLAND_DISPLAY is
/// set. Whether the display answers is only known once QApplication tries.
bool displayConfigured(const QStringList& arguments);

/// The one line, French then English, printed when no display can be used.
QString noDisplayMessage();

} // namespace calidor
