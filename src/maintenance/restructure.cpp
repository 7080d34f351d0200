#include "maintenance/restructure.h"

#include "core/engine/datacopy.h"
#include "core/engine/table.h"

namespace vidoraw {

namespace {

const QString kScratch = QStringLiteral("POMOC_DD.DB");

bool IndexUses(const IndexDef& index, const QString& field) {
    for (const QString& f : index.fields)
        if (f.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return index.name.contains(field, Qt::CaseInsensitive);
}

void DropIndexesOf(IndexDefs& indexes, const QString& field) {
    for (int i = int(indexes.size()) - 1; i >= 0; --i)
        if (IndexUses(indexes[i], field))
            indexes.removeAt(i);
}

} // namespace

RestructureResult RestructureTable(Database& db, const QString& fileName,
                                   const QList<FieldAddition>& additions,
                                   const QStringList& removals, const ProtocolSink& protocol,
                                   QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return RestructureResult::Failed;
    };
    if (db.tableExists(kScratch) && !db.dropTable(kScratch, error))
        return RestructureResult::Failed;
    if (!db.tableExists(fileName))
        return RestructureResult::NotFound;
    FieldDefs fields = db.fieldDefs(fileName);
    IndexDefs indexes = db.indexDefs(fileName);

    struct Add {
        FieldDef def;
        int position;
        QString defaultValue;
    };
    QList<Add> adds;
    for (const FieldAddition& a : additions) {
        FieldDef def;
        if (!FieldDef::fromText(a.definition, def))
            return fail(QStringLiteral("Nesprávna definícia poľa %1.").arg(a.definition));
        adds.append({def, a.position, a.defaultValue});
    }
    bool changed = false;
    for (int i = int(adds.size()) - 1; i >= 0; --i) {
        const FieldDef& def = adds[i].def;
        const int at = FindField(fields, def.name);
        if (at >= 0 && fields[at].type == def.type && (def.type != 'A' || fields[at].size == def.size)) {
            protocol(QStringLiteral("   Pole : ") + def.name + QStringLiteral(" v tabuľke už existuje."), false);
            adds.removeAt(i);
        } else if (at >= 0) {
            // Another size (or type): the field is made anew, its indexes go with it.
            protocol(QStringLiteral("   Zmena vlastností poľa : ") + def.toText() + QStringLiteral("."), false);
            DropIndexesOf(indexes, def.name);
            fields.removeAt(at);
            changed = true;
        } else {
            protocol(QStringLiteral("   Pridáme pole : ") + def.toText() + QStringLiteral("."), false);
        }
    }
    const QString done = QStringLiteral("   Tabuľka : ") + fileName + QStringLiteral(" už bola prevedená skôr.");
    if (adds.isEmpty() && removals.isEmpty() && !changed) {
        protocol(done, false);
        return RestructureResult::NothingToDo;
    }
    for (const Add& a : adds) {
        if (a.position >= 0 && a.position < fields.size())
            fields.insert(a.position, a.def);
        else
            fields.append(a.def);
    }
    QStringList removed;
    for (const QString& name : removals) {
        const int at = FindField(fields, name);
        if (at < 0) {
            protocol(QStringLiteral("   Pole : ") + name +
                         QStringLiteral(" v tabuľke neexistuje, bolo zrejme odstránené skôr."),
                     false);
            continue;
        }
        DropIndexesOf(indexes, name);
        fields.removeAt(at);
        removed << name;
        protocol(QStringLiteral("   Odstraňujem pole : ") + name + QStringLiteral(" z tabuľky."), false);
    }
    if (adds.isEmpty() && removed.isEmpty() && !changed) {
        protocol(done, false);
        return RestructureResult::NothingToDo;
    }

    // The records into the scratch table of the new layout.
    if (!db.createTable(kScratch, fields, indexes, error))
        return RestructureResult::Failed;
    Table from(&db, fileName);
    Table to(&db, kScratch);
    if (!from.open())
        return fail(from.lastError());
    if (!to.open())
        return fail(to.lastError());
    QList<std::pair<int, int>> mapping; // old field -> new field, by name
    for (int i = 0; i < from.tableFieldCount(); ++i) {
        const int j = FindField(fields, from.fieldDefs()[i].name);
        if (j >= 0)
            mapping.append({i, j});
    }
    QList<std::pair<int, QString>> defaults;
    for (const Add& a : adds)
        if (!a.defaultValue.isEmpty())
            defaults.append({FindField(fields, a.def.name), a.defaultValue});
    qint64 count = 0;
    QString why;
    const QString order = db.primaryFields(fileName).isEmpty() ? from.fieldDefs().value(0).name : QString();
    const bool scanned = from.scanOrder(order, {}, false, [&](qint64, const QVector<QVariant>& row) {
        if (!to.append()) {
            why = to.lastError();
            return false;
        }
        for (const auto& [i, j] : mapping)
            if (!row[i].isNull() && !to.field(j).setValue(row[i])) {
                why = to.lastError();
                return false;
            }
        for (const auto& [j, value] : defaults)
            if (!to.field(j).setAsString(value)) {
                why = to.lastError();
                return false;
            }
        if (!to.post()) {
            why = to.lastError();
            return false;
        }
        if (++count % 1000 == 0)
            protocol(QStringLiteral("   V tabuľke : %1 je zatiaľ prevedených %2 viet.").arg(fileName).arg(count),
                     count > 1000);
        return true;
    });
    if (!why.isEmpty())
        return fail(why);
    if (!scanned)
        return fail(from.lastError());
    from.close();
    to.close();
    // The scratch table takes the old one's place.
    qint64 copied = 0;
    if (!db.dropTable(fileName, error) || !CopyTable(db, db, kScratch, copied, error, fileName) ||
        !db.dropTable(kScratch, error))
        return RestructureResult::Failed;
    protocol(QStringLiteral("   V tabuľke : %1 bolo prevedených %2 viet.").arg(fileName).arg(count), false);
    return RestructureResult::Converted;
}

} // namespace vidoraw
