#pragma once
// Field and index definitions of a table, as created and as read back.
#include <QList>
#include <QString>
#include <QStringList>

namespace vidoraw {

// Type letters: A string (size = max length), I 16-bit, N 32-bit, L logical, F float,
// D date, T time, M memo, U other (read only).
struct FieldDef {
    QString name;
    char type = 'A';
    int size = 0;

    bool isText() const { return type == 'A' || type == 'M'; }
    bool isInteger() const { return type == 'I' || type == 'N'; }
    bool isNumeric() const { return isInteger() || type == 'F'; }
    // "NAME,TYPE,SIZE"
    QString toText() const;
    static bool fromText(const QString& text, FieldDef& out);
    bool operator==(const FieldDef& o) const {
        return name == o.name && type == o.type && size == o.size;
    }
};

struct IndexDef {
    QString name; // empty for the primary index
    QStringList fields;
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;
    bool descending = false;

    // Option letters: P primary, U unique, D descending, C case-insensitive.
    QString options() const;
    void setOptions(const QString& letters);
    bool operator==(const IndexDef& o) const {
        return name == o.name && fields == o.fields && primary == o.primary &&
               unique == o.unique && caseInsensitive == o.caseInsensitive &&
               descending == o.descending;
    }

    static IndexDef Primary(const QStringList& fields);
    static IndexDef Secondary(const QString& name, const QStringList& fields,
                              bool caseInsensitive = false);
};

using FieldDefs = QList<FieldDef>;
using IndexDefs = QList<IndexDef>;

// "KODFA;KODDAV;KOD" -> fields
QStringList SplitFieldList(const QString& fields);
int FindField(const FieldDefs& defs, const QString& name); // -1 when missing; ignores case

// The SQL name of a table file: base name in capitals (pzs.db -> PZS).
QString SqlTableName(const QString& fileName);

} // namespace vidoraw
