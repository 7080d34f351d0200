#include "core/engine/integrity.h"

#include "core/engine/collation.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

namespace vidoraw {

namespace {

// The indexes are checked in their own order: the engine's collations are needed.
int CollateSk(void* caseInsensitive, int n1, const void* s1, int n2, const void* s2) {
    return CompareSlovak(QStringView(static_cast<const char16_t*>(s1), n1 / 2),
                         QStringView(static_cast<const char16_t*>(s2), n2 / 2),
                         caseInsensitive != nullptr);
}

} // namespace

bool CheckDatabaseFile(const QString& path, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return fail(why);
    }
    static int on = 1;
    sqlite3_create_collation_v2(db, kCollationSk, SQLITE_UTF16LE, nullptr, CollateSk, nullptr);
    sqlite3_create_collation_v2(db, kCollationSkCi, SQLITE_UTF16LE, &on, CollateSk, nullptr);
    QStringList problems;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            const QString line =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            if (line != QLatin1String("ok"))
                problems << line;
        }
    }
    if (rc != SQLITE_DONE && problems.isEmpty())
        problems << QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return problems.isEmpty() || fail(problems.mid(0, 5).join('\n'));
}

} // namespace vidoraw
