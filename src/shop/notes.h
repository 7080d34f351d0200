#pragma once
// Notes of any length, kept as rows of 76 characters (KOD, KODH the owner's code, TEXT) with
// every blank stored as "~": the customer cards' notes (koment.db), and any table of that layout.
#include <QString>

namespace vidoraw {

class Table;

inline constexpr int kNoteChunk = 76;

// The chunks of the owner in the order they were written, joined, "~" read as a blank.
QString LoadNotes(Table& notes, qint64 ownerCode);
// Replaces the owner's chunks by the text's; an empty text leaves none. One transaction (it
// joins the caller's when the caller holds the write lock). False when the table refused.
bool SaveNotes(Table& notes, qint64 ownerCode, const QString& text);
// Deletes the owner's chunks; the caller holds the write lock.
bool RemoveNotes(Table& notes, qint64 ownerCode);

} // namespace vidoraw
