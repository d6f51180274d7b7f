#pragma once
// The run's record as CSV text, for notebooks and spreadsheets: UTF-8,
// comment lines ("#") with the set-up first, one heading row with names and
// units, then one row per refresh with the simulated time first. Numbers are
// the shortest text that reads back as the same double. The profiles of the
// last refresh go to a second file beside it ("…-profils.csv"), with the
// position along the exchanger first.

#include "run/runrecord.h"

#include <QByteArray>
#include <QString>

namespace calidor::files {

enum class CsvDialect {
    Point, ///< comma-separated, decimal point: notebooks and most tools
    Comma  ///< semicolon-separated, decimal comma: a spreadsheet under a French locale
};

/// What the comment lines say beside the parameters.
struct CsvContext {
    QString title; ///< the set-up's title, if any
    QString note;  ///< the set-up's note, if any
};

/// The record's rows as CSV text.
QByteArray recordCsv(const RunRecord& record, CsvDialect dialect, const CsvContext& context = {});
/// The profiles of the record's last refresh as CSV text.
QByteArray profilesCsv(const RunRecord& record, CsvDialect dialect, const CsvContext& context = {});

/// Where the profiles go beside a record's file: "essai.csv" gives
/// "essai-profils.csv".
QString profilesPathBeside(const QString& csvPath);

/// Writes both files atomically (the profiles to `profilesPath`, or beside
/// the record when it is empty). Returns an empty text on success, else why
/// not, in French.
QString exportRecord(const RunRecord& record, CsvDialect dialect, const CsvContext& context,
                     const QString& csvPath, const QString& profilesPath = {});

/// A number as the shortest text that reads back as the same double, with
/// the dialect's decimal separator.
void appendNumber(std::string& out, double value, CsvDialect dialect);

} // namespace calidor::files
