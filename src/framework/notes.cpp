#include "framework/notes.h"

#include "core/engine/tableops.h"

namespace vidoraw {

QStringList NotesChunks(const QString& text) {
    QString stored = text;
    stored.replace(u' ', u'~');
    QStringList out;
    for (qsizetype at = 0; at < stored.size(); at += kNotesChunk)
        out << stored.mid(at, kNotesChunk);
    return out;
}

QString LoadNotes(Table& chunks, qint64 ownerCode) {
    if (!chunks.isOpen() && !chunks.open()) return QString();
    const int owner = chunks.fieldIndex(QStringLiteral("KODH"));
    const int text = chunks.fieldIndex(QStringLiteral("TEXT"));
    if (owner < 0 || text < 0) return QString();
    QString out;
    const double wanted = double(ownerCode);
    chunks.scanOrder(QStringLiteral("KODH"), {wanted}, false,
                     [&](qint64, const QVector<QVariant>& row) {
                         if (row[owner].isNull() || row[owner].toDouble() != wanted) return false;
                         out += row[text].toString();
                         return true;
                     });
    out.replace(u'~', u' ');
    return out;
}

namespace {
// The owner's rows in the order they were written.
QList<qint64> ChunksOf(Table& chunks, qint64 ownerCode) {
    QList<qint64> rows;
    const int ownerField = chunks.fieldIndex(QStringLiteral("KODH"));
    if (ownerField < 0) return rows;
    const double owner = double(ownerCode);
    chunks.scanOrder(QStringLiteral("KODH"), {owner}, false,
                     [&](qint64 id, const QVector<QVariant>& row) {
                         if (row[ownerField].isNull() || row[ownerField].toDouble() != owner)
                             return false;
                         rows << id;
                         return true;
                     });
    return rows;
}
} // namespace

bool RemoveNotes(Table& chunks, qint64 ownerCode) {
    if (!chunks.isOpen() && !chunks.open()) return false;
    for (qint64 id : ChunksOf(chunks, ownerCode))
        if (!chunks.gotoBookmark(id) || !chunks.remove()) return false;
    return true;
}

bool SaveNotes(Table& chunks, qint64 ownerCode, const QString& text, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    Database* db = chunks.database();
    if (!db || (!chunks.isOpen() && !chunks.open())) return fail(chunks.lastError());
    WriteLock lock(*db);
    if (!lock.ok()) return fail(lock.error());
    // The owner's old rows, found again inside the lock.
    if (!RemoveNotes(chunks, ownerCode)) return fail(chunks.lastError());
    const double owner = double(ownerCode);
    for (const QString& piece : NotesChunks(text)) {
        const qint64 code = LastValue(chunks, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        if (!chunks.append() || !chunks.field(QStringLiteral("KOD")).setValue(code) ||
            !chunks.field(QStringLiteral("KODH")).setValue(owner) ||
            !chunks.field(QStringLiteral("TEXT")).setAsString(piece) || !chunks.post()) {
            const QString why = chunks.lastError();
            chunks.cancel();
            return fail(why);
        }
    }
    if (!lock.commit()) return fail(lock.error());
    return true;
}

} // namespace vidoraw
