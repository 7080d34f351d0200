#include "shop/notes.h"

#include "core/engine/tableops.h"

namespace vidoraw {

namespace {
const QString kOwnerOrder = QStringLiteral("KODH");

QList<qint64> ChunksOf(Table& notes, qint64 ownerCode) {
    QList<qint64> rows;
    const int owner = notes.fieldIndex(QStringLiteral("KODH"));
    if (owner < 0)
        return rows;
    notes.scanOrder(kOwnerOrder, {ownerCode}, false, [&](qint64 id, const QVector<QVariant>& row) {
        if (ValueAsFloat(row[owner]) != double(ownerCode))
            return false;
        rows << id;
        return true;
    });
    return rows;
}
} // namespace

QString LoadNotes(Table& notes, qint64 ownerCode) {
    if (!notes.isOpen() && !notes.open())
        return QString();
    const int text = notes.fieldIndex(QStringLiteral("TEXT"));
    const int owner = notes.fieldIndex(QStringLiteral("KODH"));
    if (text < 0 || owner < 0)
        return QString();
    QString out;
    notes.scanOrder(kOwnerOrder, {ownerCode}, false, [&](qint64, const QVector<QVariant>& row) {
        if (ValueAsFloat(row[owner]) != double(ownerCode))
            return false;
        out += row[text].toString();
        return true;
    });
    return out.replace(u'~', u' ');
}

bool RemoveNotes(Table& notes, qint64 ownerCode) {
    if (!notes.isOpen() && !notes.open())
        return false;
    for (qint64 id : ChunksOf(notes, ownerCode))
        if (!notes.gotoBookmark(id) || !notes.remove())
            return false;
    return true;
}

bool SaveNotes(Table& notes, qint64 ownerCode, const QString& text) {
    if (!notes.isOpen() && !notes.open())
        return false;
    Database* db = notes.database();
    WriteLock lock(*db);
    if (!lock.ok() || !RemoveNotes(notes, ownerCode))
        return false;
    QString stored = text;
    stored.replace(u' ', u'~');
    for (qsizetype at = 0; at < stored.size(); at += kNoteChunk) {
        // Codes computed inside the lock: another workstation may write notes too.
        const qint64 code = LastValue(notes, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        if (!notes.append() || !notes.field(QStringLiteral("KOD")).setValue(code) ||
            !notes.field(QStringLiteral("KODH")).setValue(ownerCode) ||
            !notes.field(QStringLiteral("TEXT")).setAsString(stored.mid(at, kNoteChunk)) ||
            !notes.post()) {
            notes.cancel();
            return false;
        }
    }
    return lock.commit();
}

} // namespace vidoraw
