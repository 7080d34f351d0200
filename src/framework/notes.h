#pragma once
// Notes of any length (comments on companies and persons, customer-card notes): kept as rows
// KOD, KODH (the owner's code), TEXT of 76 characters, blanks stored as "~". The rows of one
// owner follow each other in the order of the KODH index as they were written.
#include <QString>
#include <QStringList>

namespace vidoraw {

class Table;

inline constexpr int kNotesChunk = 76;

// The text cut into the stored rows ("~" for every blank); an empty text gives none.
QStringList NotesChunks(const QString& text);
// The owner's text, blanks back in place.
QString LoadNotes(Table& chunks, qint64 ownerCode);
// Replaces the owner's rows by the text: old rows deleted and new ones written in one
// transaction, so a failure leaves the old text whole. False with the engine's error.
[[nodiscard]] bool SaveNotes(Table& chunks, qint64 ownerCode, const QString& text, QString* error);
// Deletes the owner's rows; the caller holds the write lock, so the owner goes with them.
[[nodiscard]] bool RemoveNotes(Table& chunks, qint64 ownerCode);

} // namespace vidoraw
