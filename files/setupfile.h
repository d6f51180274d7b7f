#pragma once
// The set-up of an exercise as a small JSON document (".calidor"): a title
// and a note for the students, the fields' texts exactly as they would be
// typed, the arrangement, what the balance chart shows and the pace.
//
//   {"format": "calidor-setup", "version": 1, "title": "...", "note": "...",
//    "fields": {"Tec": "70.00", "debc": "0.0150", ...},
//    "counterCurrent": false, "representation": "powers", "pace": "max"}
//
// Reading is all or nothing: a document with anything wrong gives no set-up,
// only the reason.

#include "model/acquisition.h"
#include "run/pace.h"
#include "run/runwindow.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <string>

namespace calidor::files {

/// The largest set-up file read, in bytes.
constexpr qint64 LargestSetupFile = 1 << 20;

struct SetupDocument {
    QString title; ///< empty when the document has none
    QString note;  ///< the teacher's instruction; empty when none
    /// The fields' texts, in the fields' order; a field the document does not
    /// give keeps its start-up text.
    std::array<std::string, FieldCount> texts = startupFieldTexts();
    bool counterCurrent = false;
    Representation representation = Representation::Powers;
    Pace pace = Pace::Max;

    std::string& text(Field field) { return texts[static_cast<int>(field)]; }
    const std::string& text(Field field) const { return texts[static_cast<int>(field)]; }
    bool operator==(const SetupDocument&) const = default;
};

/// A document read, or why not.
struct SetupReading {
    std::optional<SetupDocument> setup;
    QString error; ///< in French, naming the file, the key or line, and the reason
};

/// Reads a document from its bytes; `fileName` names it in the messages.
SetupReading readSetup(const QByteArray& bytes, const QString& fileName);
/// Reads a set-up file (at most LargestSetupFile bytes).
SetupReading readSetupFile(const QString& path);

/// The document's bytes: indented JSON, UTF-8, every field written.
QByteArray setupBytes(const SetupDocument& setup);
/// Saves the document atomically; an empty text on success, else why not.
QString writeSetupFile(const QString& path, const SetupDocument& setup);

/// Replaces one field's text from "NAME=TEXT" (as on the command line); the
/// text must be a number. Returns an empty text, or why not in French.
QString overrideField(SetupDocument& setup, const QString& assignment);

} // namespace calidor::files
