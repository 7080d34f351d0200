#pragma once
// A reader of dBASE III tables (.DBF), the files the earlier DOS program kept its data in.
// The file is outside input: every size in its header is checked against the file before a
// record is read, and a damaged file is refused with a message instead of being half read.
#include <QByteArray>
#include <QList>
#include <QString>

namespace vidoraw {

struct DbfField {
    QString name;   // upper case, as the header gives it
    char type = 'C'; // C text, N and F numbers, D date, L logical, M memo, ...
    int length = 0;
    int decimals = 0;
    int offset = 0; // within the record, after the deletion mark
};

class DbfFile {
public:
    // Reads the whole table; false with the reason when the file is no readable table.
    [[nodiscard]] bool open(const QString& path, QString* error);
    // The same on bytes already read (the fuzz target, tests).
    [[nodiscard]] bool load(const QByteArray& bytes, QString* error);

    const QList<DbfField>& fields() const { return fields_; }
    // Position of a field by name (any case); -1 when the table has no such field.
    int fieldIndex(const QString& name) const;
    int recordCount() const { return count_; }
    // Marked as deleted: dBASE keeps such records until the table is packed; nobody sees them.
    bool isDeleted(int record) const;
    // The field's bytes in the record exactly as stored (blank-padded).
    QByteArray raw(int record, int field) const;

    // The field as text, in the bytes of the table's code page: text without its trailing
    // blanks; numbers in their shortest form with "," ("12,5", blank when empty); dates as
    // dd.mm.yyyy; logical values "True" / "False". False with the reason for a value that is
    // not what its type says (a number of letters, 31.02., a memo).
    [[nodiscard]] bool text(int record, int field, QByteArray& out, QString* error) const;

private:
    QByteArray data_;
    QList<DbfField> fields_;
    int count_ = 0;
    int headerLength_ = 0;
    int recordLength_ = 0;
};

} // namespace vidoraw
