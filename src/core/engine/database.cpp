#include "core/engine/database.h"

#include "core/engine/fsguard.h"
#include "core/engine/serversettings.h"

#include <QDateTime>
#include <QDir>

namespace vidoraw {

namespace {
const QString kTables = QStringLiteral("_VR_TABLES");
const QString kFields = QStringLiteral("_VR_FIELDS");
const QString kIndexes = QStringLiteral("_VR_INDEXES");
// Catalog tables in SQL: quoted, so that every database system keeps their capitals.
QString Q(const Backend& b, const QString& name) { return b.quoteName(name); }

QString indexSqlName(const QString& sqlName, const IndexDef& idx, int position) {
    return sqlName + QStringLiteral("__") + QString::number(position) + '_' +
           (idx.primary ? QStringLiteral("PRIMARY") : idx.name.toUpper());
}
} // namespace

Database::~Database() {
    if (backend_) {
        if (writeDepth_ > 0)
            backend_->rollback();
        backend_->close();
    }
}

std::unique_ptr<Backend> Database::openBackend(const QString& directory, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::unique_ptr<Backend>();
    };
    ServerSettings server;
    QString why;
    std::unique_ptr<Backend> backend;
    switch (ReadServerSettings(directory, server, &why)) {
    case ServerChoice::Invalid:
        return fail(why);
    case ServerChoice::Server:
        backend = MakePostgresBackend(server);
        break;
    case ServerChoice::LocalFile:
        // Several workstations on one shared folder would break the file's locking.
        if (!LocalFileSystemCheck(directory, &why))
            return fail(why);
        backend = MakeSqliteBackend();
        break;
    }
    DbStatus st;
    if (!backend->open(directory, st)) {
        if (st.kind == DbError::Exclusive)
            return fail(QStringLiteral("Údaje práve výhradne používa iný užívateľ (reindexácia, "
                                       "archivácia alebo obnova). Skúste to neskôr."));
        return fail(QStringLiteral("Databáza sa nedá otvoriť: %1").arg(st.message));
    }
    return backend;
}

std::unique_ptr<Database> Database::open(const QString& directory, QString* error) {
    QDir dir(directory);
    if (!dir.exists() && !QDir().mkpath(dir.absolutePath())) {
        if (error)
            *error = QStringLiteral("Adresár údajov %1 sa nedá vytvoriť.").arg(directory);
        return nullptr;
    }
    std::unique_ptr<Database> db(new Database);
    db->dir_ = dir.absolutePath();
    db->backend_ = openBackend(db->dir_, error);
    if (!db->backend_ || !db->ensureCatalog(error))
        return nullptr;
    return db;
}

namespace {
// Tables in the catalog that the database does not count changes of yet (made by an older
// version of the program).
QStringList UncountedTables(Backend& b, DbStatus& st) {
    const QStringList counted = b.tablesCountingChanges(st);
    QStringList out;
    if (!st.ok())
        return out;
    b.query(QStringLiteral("SELECT TBL FROM %1").arg(Q(b, kTables)), {},
            [&](const QVariantList& r) {
                const QString t = r[0].toString();
                if (!counted.contains(t))
                    out << t;
                return true;
            },
            st);
    return out;
}

bool HasDefinitionCounter(Backend& b) { return b.columnExists(kTables, QStringLiteral("DEFS")); }
} // namespace

bool Database::catalogComplete() {
    if (!backend_->tableExists(kTables) || !backend_->tableExists(kFields) ||
        !backend_->tableExists(kIndexes) || !HasDefinitionCounter(*backend_))
        return false;
    DbStatus st;
    const QStringList uncounted = UncountedTables(*backend_, st);
    return st.ok() && uncounted.isEmpty();
}

bool Database::ensureCatalog(QString* error) {
    if (catalogComplete())
        return true;
    // Checked again inside the lock: another program may be completing it at the same time.
    return runWrite(
        [&](DbStatus& st) {
            const QString integer = backend_->integerType();
            if (!backend_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TBL TEXT PRIMARY "
                                               "KEY, FILENAME TEXT, CHANGES %2, DEFS %2 DEFAULT 0)")
                                    .arg(Q(*backend_, kTables), integer),
                                {}, st) ||
                !backend_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TBL TEXT, POS "
                                               "%2, NAME TEXT, TYPE TEXT, SIZE %2)")
                                    .arg(Q(*backend_, kFields), integer),
                                {}, st) ||
                !backend_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TBL TEXT, POS "
                                               "%2, NAME TEXT, FIELDS TEXT, OPTIONS TEXT)")
                                    .arg(Q(*backend_, kIndexes), integer),
                                {}, st))
                return false;
            if (!HasDefinitionCounter(*backend_) &&
                !backend_->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN DEFS %2 DEFAULT 0")
                                    .arg(Q(*backend_, kTables), integer),
                                {}, st))
                return false;
            const QStringList uncounted = UncountedTables(*backend_, st);
            if (!st.ok())
                return false;
            for (const QString& t : uncounted) {
                if (!backend_->tableExists(t))
                    continue;
                for (const QString& sql : backend_->countChangesSql(t, kTables))
                    if (!backend_->exec(sql, {}, st))
                        return false;
            }
            return true;
        },
        error);
}

bool Database::countRowChanges(const QString& sqlName, DbStatus& st) {
    noteChange(sqlName);
    return backend_->exec(
        QStringLiteral("UPDATE %1 SET CHANGES = CHANGES + 1 WHERE TBL = ?").arg(Q(*backend_, kTables)),
        {sqlName}, st);
}

bool Database::countDefinitionChange(const QString& sqlName, DbStatus& st) {
    noteChange(sqlName);
    return backend_->exec(QStringLiteral("UPDATE %1 SET CHANGES = CHANGES + 1, DEFS = "
                                         "COALESCE(DEFS, 0) + 1 WHERE TBL = ?")
                              .arg(Q(*backend_, kTables)),
                          {sqlName}, st);
}

bool Database::runWrite(const std::function<bool(DbStatus&)>& work, QString* error) {
    if (!beginWrite(error))
        return false;
    DbStatus st;
    if (!work(st)) {
        rollbackWrite();
        if (error)
            *error = st.message;
        return false;
    }
    return commitWrite(error);
}

Database::TableInfo* Database::info(const QString& fileName) {
    const QString sqlName = SqlTableName(fileName);
    auto it = tables_.find(sqlName);
    if (it != tables_.end())
        return &*it;
    if (!backend_->tableExists(sqlName))
        return nullptr;
    TableInfo t;
    DbStatus st;
    // The counter first: a change landing while the rest is read shows as a newer counter.
    backend_->query(QStringLiteral("SELECT FILENAME, DEFS FROM %1 WHERE TBL=?").arg(Q(*backend_, kTables)),
                    {sqlName},
                    [&](const QVariantList& r) {
                        t.fileName = r[0].toString();
                        t.definition = r[1].toLongLong();
                        return false;
                    },
                    st);
    backend_->query(
        QStringLiteral("SELECT NAME, TYPE, SIZE FROM %1 WHERE TBL=? ORDER BY POS").arg(Q(*backend_, kFields)),
        {sqlName},
        [&](const QVariantList& r) {
            FieldDef f;
            f.name = r[0].toString();
            const QString type = r[1].toString();
            f.type = type.isEmpty() ? 'U' : type.at(0).toLatin1();
            f.size = r[2].toInt();
            t.fields << f;
            return true;
        },
        st);
    backend_->query(QStringLiteral("SELECT NAME, FIELDS, OPTIONS FROM %1 WHERE TBL=? ORDER BY POS")
                        .arg(Q(*backend_, kIndexes)),
                    {sqlName},
                    [&](const QVariantList& r) {
                        IndexDef d;
                        d.name = r[0].toString();
                        d.fields = SplitFieldList(r[1].toString());
                        d.setOptions(r[2].toString());
                        t.indexes << d;
                        return true;
                    },
                    st);
    if (t.fields.isEmpty())
        return nullptr; // a table the engine did not create
    return &*tables_.insert(sqlName, t);
}

bool Database::tableExists(const QString& fileName) { return info(fileName) != nullptr; }

QStringList Database::tableNames() {
    QStringList out;
    DbStatus st;
    backend_->query(QStringLiteral("SELECT FILENAME FROM %1 ORDER BY TBL").arg(Q(*backend_, kTables)), {},
                    [&](const QVariantList& r) {
                        out << r[0].toString();
                        return true;
                    },
                    st);
    return out;
}

FieldDefs Database::fieldDefs(const QString& fileName) {
    TableInfo* t = info(fileName);
    return t ? t->fields : FieldDefs();
}

IndexDefs Database::indexDefs(const QString& fileName) {
    TableInfo* t = info(fileName);
    return t ? t->indexes : IndexDefs();
}

QStringList Database::primaryFields(const QString& fileName) {
    TableInfo* t = info(fileName);
    if (t)
        for (const IndexDef& i : t->indexes)
            if (i.primary)
                return i.fields;
    return {};
}

bool Database::createIndexSql(const QString& sqlName, const TableInfo& t, const IndexDef& idx,
                              int position, DbStatus& st) {
    QStringList cols;
    QStringList used;
    auto column = [&](const QString& field, bool ci, bool desc) -> bool {
        const int fi = FindField(t.fields, field);
        if (fi < 0) {
            st = {DbError::Other, QStringLiteral("Index %1: pole %2 neexistuje.")
                                      .arg(idx.primary ? QStringLiteral("primárny") : idx.name,
                                           field)};
            return false;
        }
        const FieldDef& f = t.fields[fi];
        QString c = backend_->quoteName(f.name.toUpper());
        if (f.isText())
            c = backend_->collated(c, ci);
        cols << backend_->orderTerm(c, desc);
        used << f.name.toUpper();
        return true;
    };
    if (idx.fields.isEmpty()) {
        st = {DbError::Other, QStringLiteral("Index bez polí.")};
        return false;
    }
    for (const QString& f : idx.fields)
        if (!column(f, idx.caseInsensitive && !idx.primary, idx.descending))
            return false;
    if (!idx.unique) {
        // Equal keys follow each other in primary-key order.
        for (const IndexDef& p : t.indexes)
            if (p.primary)
                for (const QString& f : p.fields)
                    if (!used.contains(f.toUpper()) && !column(f, false, idx.descending))
                        return false;
        // The cursor's last tie-breaker, where the database does not keep it in every index.
        if (backend_->rowIdInIndexes())
            cols << backend_->orderTerm(backend_->rowIdColumn(), idx.descending);
    }
    if (backend_->exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                           .arg(idx.unique ? QStringLiteral("UNIQUE ") : QString(),
                                backend_->quoteName(indexSqlName(sqlName, idx, position)),
                                backend_->quoteName(sqlName), cols.join(", ")),
                       {}, st))
        return true;
    if (st.kind == DbError::Constraint)
        st.message = idx.primary ? QStringLiteral("V tabuľke %1 sa opakuje hodnota primárneho "
                                                  "kľúča %2.")
                                       .arg(t.fileName, idx.fields.join(';'))
                                 : QStringLiteral("V tabuľke %1 sa opakuje hodnota jedinečného "
                                                  "indexu %2 (%3).")
                                       .arg(t.fileName, idx.name, idx.fields.join(';'));
    return false;
}

bool Database::createTable(const QString& fileName, const FieldDefs& fields,
                           const IndexDefs& indexes, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString sqlName = SqlTableName(fileName);
    if (sqlName.isEmpty() || sqlName.startsWith('_'))
        return fail(QStringLiteral("Nesprávne meno tabuľky %1.").arg(fileName));
    if (fields.isEmpty())
        return fail(QStringLiteral("Tabuľka %1 nemá polia.").arg(fileName));
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef& f = fields[i];
        if (f.name.isEmpty() || !QByteArray("AINLFDTM").contains(f.type))
            return fail(QStringLiteral("Nesprávna definícia poľa %1.").arg(f.toText()));
        if (FindField(fields.mid(0, i), f.name) >= 0)
            return fail(QStringLiteral("Pole %1 je definované dvakrát.").arg(f.name));
        if (f.name.compare(backend_->rowIdColumn(), Qt::CaseInsensitive) == 0)
            return fail(QStringLiteral("Meno poľa %1 je vyhradené.").arg(f.name));
    }
    int primaries = 0;
    for (const IndexDef& i : indexes)
        primaries += i.primary ? 1 : 0;
    if (primaries > 1)
        return fail(QStringLiteral("Tabuľka %1 má viac primárnych indexov.").arg(fileName));
    if (backend_->tableExists(sqlName))
        return fail(QStringLiteral("Tabuľka %1 už existuje.").arg(fileName));

    // A table made again under the same name must not pass for the one it replaced.
    TableInfo t{fileName, fields, {}, QDateTime::currentMSecsSinceEpoch()};
    // The primary index goes first so that secondary ones can append its fields.
    for (const IndexDef& i : indexes)
        if (i.primary)
            t.indexes << i;
    for (const IndexDef& i : indexes)
        if (!i.primary)
            t.indexes << i;
    const bool ok = runWrite(
        [&](DbStatus& st) {
            if (!backend_->exec(backend_->createTableSql(sqlName, fields), {}, st))
                return false;
            for (const QString& sql : backend_->countChangesSql(sqlName, kTables))
                if (!backend_->exec(sql, {}, st))
                    return false;
            for (int i = 0; i < fields.size(); ++i)
                if (!backend_->exec(QStringLiteral("INSERT INTO %1 VALUES (?,?,?,?,?)").arg(Q(*backend_, kFields)),
                                    {sqlName, i, fields[i].name, QString(QChar(fields[i].type)),
                                     fields[i].size},
                                    st))
                    return false;
            for (int i = 0; i < t.indexes.size(); ++i) {
                const IndexDef& d = t.indexes[i];
                if (!createIndexSql(sqlName, t, d, i, st) ||
                    !backend_->exec(QStringLiteral("INSERT INTO %1 VALUES (?,?,?,?,?)").arg(Q(*backend_, kIndexes)),
                                    {sqlName, i, d.name, d.fields.join(';'), d.options()}, st))
                    return false;
            }
            return backend_->exec(QStringLiteral("INSERT INTO %1 (TBL, FILENAME, CHANGES, DEFS) "
                                                 "VALUES (?,?,0,?)")
                                      .arg(Q(*backend_, kTables)),
                                  {sqlName, fileName, t.definition}, st);
        },
        error);
    if (ok)
        tables_.insert(sqlName, t);
    return ok;
}

bool Database::addIndex(const QString& fileName, const IndexDef& index, QString* error) {
    TableInfo* t = info(fileName);
    if (!t) {
        if (error)
            *error = QStringLiteral("Tabuľka %1 neexistuje.").arg(fileName);
        return false;
    }
    IndexDefs all = t->indexes;
    all << index;
    return redefineIndexes(fileName, all, error);
}

bool Database::redefineIndexes(const QString& fileName, const IndexDefs& indexes,
                               QString* error) {
    TableInfo* t = info(fileName);
    if (!t) {
        if (error)
            *error = QStringLiteral("Tabuľka %1 neexistuje.").arg(fileName);
        return false;
    }
    const QString sqlName = SqlTableName(fileName);
    TableInfo next{t->fileName, t->fields, {}};
    for (const IndexDef& i : indexes)
        if (i.primary)
            next.indexes << i;
    for (const IndexDef& i : indexes)
        if (!i.primary)
            next.indexes << i;
    const bool ok = runWrite(
        [&](DbStatus& st) {
            const QStringList old = backend_->indexNames(sqlName, st);
            if (!st.ok())
                return false;
            for (const QString& o : old)
                if (!backend_->exec(QStringLiteral("DROP INDEX %1").arg(backend_->quoteName(o)), {},
                                    st))
                    return false;
            if (!backend_->exec(QStringLiteral("DELETE FROM %1 WHERE TBL=?").arg(Q(*backend_, kIndexes)),
                                {sqlName}, st))
                return false;
            for (int i = 0; i < next.indexes.size(); ++i) {
                const IndexDef& d = next.indexes[i];
                if (!createIndexSql(sqlName, next, d, i, st) ||
                    !backend_->exec(QStringLiteral("INSERT INTO %1 VALUES (?,?,?,?,?)").arg(Q(*backend_, kIndexes)),
                                    {sqlName, i, d.name, d.fields.join(';'), d.options()}, st))
                    return false;
            }
            return countDefinitionChange(sqlName, st);
        },
        error);
    tables_.remove(sqlName); // read again with its new counter
    return ok;
}

bool Database::addField(const QString& fileName, const FieldDef& field, QString* error) {
    TableInfo* t = info(fileName);
    if (!t) {
        if (error)
            *error = QStringLiteral("Tabuľka %1 neexistuje.").arg(fileName);
        return false;
    }
    if (FindField(t->fields, field.name) >= 0) {
        if (error)
            *error = QStringLiteral("Pole %1 už existuje.").arg(field.name);
        return false;
    }
    const QString sqlName = SqlTableName(fileName);
    const int pos = int(t->fields.size());
    const bool ok = runWrite(
        [&](DbStatus& st) {
            return backend_->exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                      .arg(backend_->quoteName(sqlName),
                                           backend_->quoteName(field.name.toUpper()),
                                           backend_->columnType(field)),
                                  {}, st) &&
                   backend_->exec(QStringLiteral("INSERT INTO %1 VALUES (?,?,?,?,?)").arg(Q(*backend_, kFields)),
                                  {sqlName, pos, field.name, QString(QChar(field.type)), field.size},
                                  st) &&
                   countDefinitionChange(sqlName, st);
        },
        error);
    tables_.remove(sqlName);
    return ok;
}

bool Database::emptyTable(const QString& fileName, QString* error) {
    if (!info(fileName)) {
        if (error)
            *error = QStringLiteral("Tabuľka %1 neexistuje.").arg(fileName);
        return false;
    }
    const QString sqlName = SqlTableName(fileName);
    return runWrite(
        [&](DbStatus& st) {
            return backend_->exec(
                       QStringLiteral("DELETE FROM %1").arg(backend_->quoteName(sqlName)), {}, st) &&
                   countRowChanges(sqlName, st);
        },
        error);
}

bool Database::dropTable(const QString& fileName, QString* error) {
    const QString sqlName = SqlTableName(fileName);
    tables_.remove(sqlName);
    return runWrite(
        [&](DbStatus& st) {
            return backend_->exec(QStringLiteral("DROP TABLE IF EXISTS %1")
                                      .arg(backend_->quoteName(sqlName)),
                                  {}, st) &&
                   backend_->exec(QStringLiteral("DELETE FROM %1 WHERE TBL=?").arg(Q(*backend_, kFields)),
                                  {sqlName}, st) &&
                   backend_->exec(QStringLiteral("DELETE FROM %1 WHERE TBL=?").arg(Q(*backend_, kIndexes)),
                                  {sqlName}, st) &&
                   backend_->exec(QStringLiteral("DELETE FROM %1 WHERE TBL=?").arg(Q(*backend_, kTables)),
                                  {sqlName}, st);
        },
        error);
}

bool Database::beginWrite(QString* error, DbError* kind) {
    if (writeDepth_ == 0) {
        DbStatus st;
        if (!backend_->beginWrite(lockTimeoutMs_, st)) {
            if (error)
                *error = st.kind == DbError::Busy
                             ? QStringLiteral("Tabuľku práve zapisuje iný užívateľ.")
                             : st.message;
            if (kind)
                *kind = st.kind;
            return false;
        }
        writeFailed_ = false;
        pendingChanged_.clear();
        writeRows_.clear();
    }
    ++writeDepth_;
    return true;
}

bool Database::commitWrite(QString* error) {
    if (writeDepth_ == 0)
        return true;
    if (--writeDepth_ > 0)
        return !writeFailed_;
    if (writeFailed_) {
        backend_->rollback();
        writeFailed_ = false;
        pendingChanged_.clear();
        writeRows_.clear();
        if (error)
            *error = QStringLiteral("Zmena bola odvolaná.");
        return false;
    }
    DbStatus st;
    if (!backend_->commit(st)) {
        pendingChanged_.clear();
        writeRows_.clear();
        tables_.clear();
        if (error)
            *error = st.message;
        return false;
    }
    writeRows_.clear();
    const QSet<QString> changed = std::exchange(pendingChanged_, {});
    for (const QString& t : changed)
        emit tableChanged(t);
    return true;
}

void Database::rollbackWrite() {
    if (writeDepth_ == 0)
        return;
    if (writeDepth_ > 1) {
        --writeDepth_;
        writeFailed_ = true;
        return;
    }
    writeDepth_ = 0;
    writeFailed_ = false;
    pendingChanged_.clear();
    writeRows_.clear();
    backend_->rollback();
    // Definitions changed inside the transaction are no longer valid.
    tables_.clear();
}

Database::ChangeState Database::changeState(const QString& sqlName) {
    ChangeState s;
    DbStatus st;
    backend_->query(QStringLiteral("SELECT CHANGES, DEFS FROM %1 WHERE TBL=?").arg(Q(*backend_, kTables)),
                    {sqlName},
                    [&](const QVariantList& r) {
                        s.rows = r[0].toLongLong();
                        s.definition = r[1].toLongLong();
                        return false;
                    },
                    st);
    // A database that counts a transaction once: this program's own rows of the transaction
    // count as they do elsewhere, one each, so its cursors see each other's changes.
    if (writeDepth_ > 0 && backend_->countsOncePerTransaction() && s.rows >= 0) {
        const qint64 own = writeRows_.value(sqlName);
        if (own > 1)
            s.rows += own - 1;
    }
    auto it = tables_.find(sqlName);
    if (it != tables_.end() && it->definition != s.definition)
        tables_.erase(it);
    return s;
}

void Database::noteChange(const QString& sqlName, int rows) {
    pendingChanged_.insert(sqlName);
    if (rows > 0)
        writeRows_[sqlName] += rows;
}

bool Database::tryExclusive() {
    if (exclusive_)
        return true;
    exclusive_ = backend_->tryExclusive();
    return exclusive_;
}

void Database::releaseExclusive() {
    if (!exclusive_)
        return;
    backend_->releaseExclusive();
    exclusive_ = false;
}

bool Database::othersConnected() { return backend_->othersConnected(); }

QStringList Database::otherPrograms() { return backend_->otherPrograms(); }

Database::OrderInfo Database::orderInfo(const QString& fileName, const QStringList& fields) {
    OrderInfo o;
    TableInfo* t = info(fileName);
    if (!t)
        return o;
    for (const QString& f : fields) {
        const int i = FindField(t->fields, f);
        if (i < 0)
            return OrderInfo{};
        o.fields << t->fields[i].name;
        o.fieldIndexes << i;
    }
    // The index of exactly these fields decides; else the first index they lead.
    auto leads = [&](const IndexDef& idx) {
        if (idx.fields.size() < fields.size())
            return false;
        for (int i = 0; i < fields.size(); ++i)
            if (idx.fields[i].compare(fields[i], Qt::CaseInsensitive) != 0)
                return false;
        return true;
    };
    const IndexDef* match = nullptr;
    for (const IndexDef& idx : t->indexes)
        if (!match && idx.fields.size() == fields.size() && leads(idx))
            match = &idx;
    for (const IndexDef& idx : t->indexes)
        if (!match && leads(idx))
            match = &idx;
    if (match) {
        o.caseInsensitive = match->caseInsensitive && !match->primary;
        o.descending = match->descending;
    }
    return o;
}

WriteLock::WriteLock(Database& db) : db_(db) {
    active_ = db_.beginWrite(&error_, &kind_);
}

WriteLock::~WriteLock() {
    if (active_)
        db_.rollbackWrite();
}

bool WriteLock::commit() {
    if (!active_)
        return false;
    active_ = false;
    return db_.commitWrite(&error_);
}

void WriteLock::rollback() {
    if (!active_)
        return;
    active_ = false;
    db_.rollbackWrite();
}

} // namespace vidoraw
