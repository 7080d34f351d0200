#pragma once
// dBASE tables of the DOS program for the import tests, written by an independent writer
// (python's dbf module, through dostables.py) with their texts in the Kamenický code page.
#include "core/engine/table.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace vidoraw::test {

struct DosTableData {
    QString name;     // "POIST.DBF", any case
    QString fields;   // "KOD N(5,0); NAZOV C(40)"
    QJsonArray records; // one array of values a record; dates "YYYY-MM-DD", null for blank
    QList<int> deleted = {}; // records marked as deleted
};

// The field list of name1 .. name5 (or of the twenty eye values) in one type.
inline QString FiveFields(std::initializer_list<const char*> names, const char* type) {
    QStringList out;
    for (const char* n : names)
        for (int i = 1; i <= 5; ++i)
            out << QStringLiteral("%1%2 %3").arg(QLatin1String(n)).arg(i).arg(QLatin1String(type));
    return out.join(QStringLiteral("; "));
}
inline QString EyeFields() { return FiveFields({"POD", "LOD", "POB", "LOB"}, "C(6)"); }

// Writes the tables into dir; false with python's message when it could not.
inline bool WriteDosTables(const QString& dir, const QList<DosTableData>& tables, QString* error) {
    QJsonArray list;
    for (const DosTableData& t : tables) {
        QJsonArray deleted;
        for (int d : t.deleted)
            deleted << d;
        list << QJsonObject{{"name", t.name}, {"fields", t.fields}, {"records", t.records},
                            {"deleted", deleted}};
    }
    QTemporaryDir work;
    const QString request = work.filePath(QStringLiteral("tables.json"));
    QFile f(request);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = f.errorString();
        return false;
    }
    f.write(QJsonDocument(QJsonObject{{"dir", dir}, {"tables", list}}).toJson());
    f.close();
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(DOS_TABLES_SCRIPT), request});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QString::fromUtf8(p.readAllStandardError()) + p.errorString();
        return false;
    }
    return true;
}

// Rows of a table in its primary key order, the named fields joined by "|".
inline QStringList RowsOf(Database& db, const QString& file, const QStringList& fields) {
    QStringList out;
    Table t(&db, file);
    if (!t.open())
        return {QStringLiteral("(unreadable) ") + t.lastError()};
    for (t.first(); !t.eof(); t.next()) {
        QStringList cells;
        for (const QString& f : fields)
            cells << t.field(f).asString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace vidoraw::test
