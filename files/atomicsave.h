#pragma once
// Saving a file whole or not at all: the bytes go to a temporary file beside
// the target, which replaces it only once everything is written and flushed.
// A crash or a full disk leaves the earlier file as it was.

#include <QByteArray>
#include <QString>

namespace calidor::files {

/// Writes `bytes` to `path` atomically. Returns an empty text on success,
/// otherwise why it failed, in French, naming the file or its folder (a
/// missing folder, a folder or file that cannot be written, a full disk).
QString saveAtomically(const QString& path, const QByteArray& bytes);

} // namespace calidor::files
