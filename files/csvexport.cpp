#include "files/csvexport.h"

#include "files/atomicsave.h"
#include "model/acquisition.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <charconv>

namespace calidor::files {

namespace {

char separator(CsvDialect dialect) {
    return dialect == CsvDialect::Point ? ',' : ';';
}

// The record's columns as the heading row names them, with their units.
constexpr const char* RecordHeadings[RecordColumnCount] = {
    "t (s)",      "Tc sortie (°C)", "Tf sortie (°C)", "Tp x=L (°C)", "Pc (W)",     "Pf (W)",
    "Sgen (W/K)", "Tec (°C)",       "Tef (°C)",       "debc (kg/s)", "debf (kg/s)"};
constexpr const char* ProfileHeadings[] = {"x (m)", "Tc (°C)", "Tf (°C)", "Tp (°C)"};

void appendComment(std::string& out, const QString& text) {
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        out += "# ";
        out += line.toStdString();
        out += '\n';
    }
}

// The set-up: title and note, each parameter with its label, the arrangement.
void appendSetup(std::string& out, const RunRecord& record, CsvDialect dialect, const CsvContext& context) {
    appendComment(out, QCoreApplication::translate("calidor::files",
                                                   "Calidor : échangeur de chaleur, résultats d'une marche"));
    if (!context.title.isEmpty())
        appendComment(out, QCoreApplication::translate("calidor::files", "titre : %1").arg(context.title));
    if (!context.note.isEmpty())
        appendComment(out, QCoreApplication::translate("calidor::files", "note : %1").arg(context.note));
    for (int f = 0; f < FieldCount; ++f) {
        std::string line = std::string("# ") + fieldEntry(Field(f)).name + " = ";
        appendNumber(line, parameterOf(record.parameters(), Field(f)), dialect);
        out += line + "    [" + fieldLabel(Field(f)) + "]\n";
    }
    appendComment(out, record.parameters().cocourant == 1
                           ? QCoreApplication::translate("calidor::files", "disposition : co-courant")
                           : QCoreApplication::translate("calidor::files", "disposition : contre-courant"));
}

void appendRow(std::string& out, const double* values, int count, CsvDialect dialect) {
    for (int c = 0; c < count; ++c) {
        if (c)
            out += separator(dialect);
        appendNumber(out, values[c], dialect);
    }
    out += '\n';
}

template <std::size_t Count>
void appendHeadings(std::string& out, const char* const (&headings)[Count], CsvDialect dialect) {
    for (std::size_t c = 0; c < Count; ++c) {
        if (c)
            out += separator(dialect);
        out += headings[c];
    }
    out += '\n';
}

} // namespace

void appendNumber(std::string& out, double value, CsvDialect dialect) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::size_t start = out.size();
    out.append(buffer, result.ptr);
    if (dialect == CsvDialect::Comma)
        for (std::size_t i = start; i < out.size(); ++i)
            if (out[i] == '.')
                out[i] = ',';
}

QByteArray recordCsv(const RunRecord& record, CsvDialect dialect, const CsvContext& context) {
    std::string out;
    // About 18 bytes a number: one allocation for the whole text.
    out.reserve(4096 + record.rows().size() * RecordColumnCount * 19);
    appendSetup(out, record, dialect, context);
    if (record.thinned())
        appendComment(out, QCoreApplication::translate(
                               "calidor::files",
                               "%1 lignes pour %2 affichages : les plus anciens sont résumés (premier, "
                               "dernier, plus bas et plus haut de chaque colonne)")
                               .arg(record.rows().size())
                               .arg(record.refreshCount()));
    appendHeadings(out, RecordHeadings, dialect);
    for (const RecordRow& row : record.rows())
        appendRow(out, row.data(), RecordColumnCount, dialect);
    return QByteArray::fromStdString(out);
}

QByteArray profilesCsv(const RunRecord& record, CsvDialect dialect, const CsvContext& context) {
    std::string out;
    appendSetup(out, record, dialect, context);
    std::string time;
    appendNumber(time, record.profiles().time, dialect);
    appendComment(out,
                  QCoreApplication::translate("calidor::files", "profils le long de l'échangeur à t = %1 s")
                      .arg(QString::fromStdString(time)));
    appendHeadings(out, ProfileHeadings, dialect);
    const RecordProfiles& p = record.profiles();
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        const double row[] = {p.x[i], p.hot[i], p.cold[i], p.wall[i]};
        appendRow(out, row, 4, dialect);
    }
    return QByteArray::fromStdString(out);
}

QString profilesPathBeside(const QString& csvPath) {
    const QFileInfo info(csvPath);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? csvPath : csvPath.chopped(suffix.size() + 1);
    return stem + QStringLiteral("-profils.") + (suffix.isEmpty() ? QStringLiteral("csv") : suffix);
}

QString exportRecord(const RunRecord& record, CsvDialect dialect, const CsvContext& context,
                     const QString& csvPath, const QString& profilesPath) {
    const QString beside = profilesPath.isEmpty() ? profilesPathBeside(csvPath) : profilesPath;
    // The profiles written over the record would lose the record.
    if (QFileInfo(beside).absoluteFilePath() == QFileInfo(csvPath).absoluteFilePath())
        return QCoreApplication::translate(
                   "calidor::files",
                   "Rien n'a été enregistré : le relevé et les profils iraient dans le même fichier « %1 ».")
            .arg(QDir::toNativeSeparators(csvPath));
    if (const QString error = saveAtomically(csvPath, recordCsv(record, dialect, context)); !error.isEmpty())
        return error;
    return saveAtomically(beside, profilesCsv(record, dialect, context));
}

} // namespace calidor::files
