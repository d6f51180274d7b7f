#pragma once
// The language of the windows. Their texts are written in French; an English
// catalogue, built with the program, replaces them on request.

namespace calidor {

/// Installs the program's translations; call it once the QApplication exists
/// and before any window is built (it may be called again to switch, for
/// windows built afterwards).
/// - French (english false): the program's own texts, and Qt's French
///   catalogue (qtbase_fr) for Qt's texts (a field's context menu, the
///   buttons of message boxes), whatever the desktop's language.
/// - English: the program's English catalogue; Qt's texts stay English.
/// Returns false when a catalogue could not be loaded (the texts stay French
/// or Qt's own English).
bool installTranslations(bool english);

} // namespace calidor
