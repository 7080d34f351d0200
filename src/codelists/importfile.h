#pragma once
// The files the insurers publish their code lists in (kinds 228 diagnoses, 268 optical aids,
// 335 prices) and the code-list files with a heading line of field names (OPTPOM.CSV, DG.CSV):
// finding them, recognising their kind and reading them into records ready to store. A file is
// read completely and checked before the code list is touched, so a broken file changes nothing.
#include "core/engine/fielddef.h"

#include <QPair>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace vidoraw {

// One record of a file, its values already converted to the table's fields.
struct ImportRecord {
    int line = 0;    // counted from 1, as an editor shows it
    QVariant key;    // as stored: cut to the key field's size
    QList<QPair<QString, QVariant>> values; // the other fields
};

struct ImportData {
    QString path;
    int lineCount = 0; // lines of the file (the progress shows "/" lineCount - 1)
    int cutKeys = 0;   // keys longer than the key field
    std::vector<ImportRecord> records;
};

// Why a file was refused: the notice to show.
struct ImportProblem {
    QString title;
    QString text;
};

// Lines of a text file in code page 1250 (CR LF or LF); false when it cannot be read.
bool ReadCp1250Lines(const QString& path, QStringList& lines, QString* error);
// The kind of a published file: the text between the first and the second "|" of its first
// line; empty when the line has fewer than two "|".
QString PublishedFileKind(const QString& firstLine);
// The first regular file of the directory, in name order, whose kind is kind; empty when none.
QString FindPublishedFile(const QString& directory, const QString& kind);
// A file of the directory named name in any case; empty when there is none.
QString FindFileAnyCase(const QString& directory, const QString& name);

// Reads a published file of kind "228", "268" or "335" for a table with the given fields. The
// data end at the first empty line; every data line must hold the kind's minimum fields and
// values the fields can take, else the file is refused naming the line.
bool ReadPublishedFile(const QString& path, const QString& kind, const FieldDefs& fields,
                       ImportData& out, ImportProblem& problem);
// Reads a code-list file: field names in the first line, key column keyField required, every
// other column a field of the table (KOD is never taken over); lines with another number of
// fields are skipped; a value a field cannot take refuses the file naming the line.
bool ReadCodeListCsv(const QString& path, const QString& keyField, const FieldDefs& fields,
                     ImportData& out, ImportProblem& problem);

} // namespace vidoraw
