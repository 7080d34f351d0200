#include "maintenance/dbffile.h"

#include "core/base/numbertext.h"

#include <QDate>
#include <QFile>
#include <cmath>
#include <limits>

namespace vidoraw {

namespace {

constexpr int kPrefix = 32;     // the table's own part of the header
constexpr int kDescriptor = 32; // one field
constexpr qint64 kLargest = qint64(1) << 30; // far beyond any table of the DOS program

int Word(const QByteArray& d, int at) {
    return int(uchar(d[at])) | int(uchar(d[at + 1])) << 8;
}

quint32 Long(const QByteArray& d, int at) {
    return quint32(uchar(d[at])) | quint32(uchar(d[at + 1])) << 8 |
           quint32(uchar(d[at + 2])) << 16 | quint32(uchar(d[at + 3])) << 24;
}

bool KnownVersion(uchar v) {
    // dBASE III to V with or without memo, and the FoxPro variants of the same layout.
    return (v & 0x07) == 0x03 || v == 0x30 || v == 0x31 || v == 0x32 || v == 0xF5;
}

bool Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

QByteArray RightTrimmed(QByteArray b) {
    int n = int(b.size());
    while (n > 0 && (b[n - 1] == ' ' || b[n - 1] == '\0'))
        --n;
    b.truncate(n);
    return b;
}

} // namespace

bool DbfFile::open(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("súbor sa nedá otvoriť (%1)").arg(f.errorString()));
    if (f.size() > kLargest)
        return Fail(error, QStringLiteral("súbor je príliš veľký"));
    const QByteArray bytes = f.readAll();
    if (bytes.size() != f.size())
        return Fail(error, QStringLiteral("súbor sa nedá prečítať (%1)").arg(f.errorString()));
    return load(bytes, error);
}

bool DbfFile::load(const QByteArray& bytes, QString* error) {
    data_.clear();
    fields_.clear();
    count_ = headerLength_ = recordLength_ = 0;
    const qint64 size = bytes.size();
    if (size < kPrefix + 1)
        return Fail(error, QStringLiteral("súbor je kratší ako hlavička tabuľky"));
    if (!KnownVersion(uchar(bytes[0])))
        return Fail(error, QStringLiteral("súbor nie je tabuľka dBASE"));
    const quint32 count = Long(bytes, 4);
    const int headerLength = Word(bytes, 8);
    const int recordLength = Word(bytes, 10);
    if (headerLength < kPrefix + kDescriptor + 1 || headerLength > size)
        return Fail(error, QStringLiteral("hlavička tabuľky je poškodená"));
    QList<DbfField> fields;
    int offset = 1; // the deletion mark comes first
    int at = kPrefix;
    for (;; at += kDescriptor) {
        if (at >= headerLength)
            return Fail(error, QStringLiteral("hlavička tabuľky nemá koniec zoznamu polí"));
        if (uchar(bytes[at]) == 0x0D)
            break;
        if (at + kDescriptor > headerLength)
            return Fail(error, QStringLiteral("hlavička tabuľky je poškodená"));
        DbfField field;
        QByteArray name = bytes.mid(at, 11);
        const int nul = int(name.indexOf('\0'));
        if (nul >= 0)
            name.truncate(nul);
        field.name = QString::fromLatin1(name).trimmed().toUpper();
        field.type = char(QChar::toUpper(uint(uchar(bytes[at + 11]))));
        field.length = uchar(bytes[at + 16]);
        field.decimals = uchar(bytes[at + 17]);
        field.offset = offset;
        if (field.name.isEmpty() || field.length == 0)
            return Fail(error, QStringLiteral("pole %1 tabuľky je poškodené").arg(fields.size() + 1));
        offset += field.length;
        fields << field;
    }
    if (fields.isEmpty())
        return Fail(error, QStringLiteral("tabuľka nemá žiadne pole"));
    if (recordLength < offset)
        return Fail(error, QStringLiteral("dĺžka záznamu v hlavičke nezodpovedá poliam"));
    // The records must all be there: a table cut short is damaged, not smaller.
    if (qint64(count) > std::numeric_limits<int>::max() ||
        qint64(headerLength) + qint64(count) * recordLength > size)
        return Fail(error, QStringLiteral("súbor je kratší, ako uvádza hlavička (počet záznamov %1)")
                               .arg(count));
    data_ = bytes;
    fields_ = fields;
    count_ = int(count);
    headerLength_ = headerLength;
    recordLength_ = recordLength;
    return true;
}

int DbfFile::fieldIndex(const QString& name) const {
    const QString wanted = name.toUpper();
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name == wanted)
            return i;
    return -1;
}

bool DbfFile::isDeleted(int record) const {
    if (record < 0 || record >= count_)
        return true;
    return data_[qsizetype(headerLength_) + qsizetype(record) * recordLength_] == '*';
}

QByteArray DbfFile::raw(int record, int field) const {
    if (record < 0 || record >= count_ || field < 0 || field >= fields_.size())
        return {};
    const DbfField& f = fields_[field];
    return data_.mid(qsizetype(headerLength_) + qsizetype(record) * recordLength_ + f.offset,
                     f.length);
}

bool DbfFile::text(int record, int field, QByteArray& out, QString* error) const {
    out.clear();
    if (record < 0 || record >= count_ || field < 0 || field >= fields_.size())
        return Fail(error, QStringLiteral("záznam alebo pole mimo tabuľky"));
    const DbfField& f = fields_[field];
    const QByteArray value = raw(record, field);
    switch (f.type) {
    case 'C':
        out = RightTrimmed(value);
        return true;
    case 'N':
    case 'F': {
        const QByteArray t = value.trimmed();
        if (t.isEmpty() || t.count('\0') == t.size())
            return true;
        for (char c : t)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' ||
                  c == 'E'))
                return Fail(error, QStringLiteral("'%1' nie je číslo").arg(QString::fromLatin1(t)));
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return Fail(error, QStringLiteral("'%1' nie je číslo").arg(QString::fromLatin1(t)));
        out = FloatAsText(d).toLatin1();
        return true;
    }
    case 'D': {
        const QByteArray t = value.trimmed();
        if (t.isEmpty() || t == "00000000")
            return true;
        bool digits = t.size() == 8;
        for (char c : t)
            digits = digits && c >= '0' && c <= '9';
        const QDate date = digits ? QDate(t.left(4).toInt(), t.mid(4, 2).toInt(), t.mid(6, 2).toInt())
                                  : QDate();
        if (!date.isValid())
            return Fail(error, QStringLiteral("'%1' nie je dátum").arg(QString::fromLatin1(t)));
        out = date.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
        return true;
    }
    case 'L':
        switch (value.isEmpty() ? ' ' : value[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            out = "True";
            return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            out = "False";
            return true;
        default:
            return true; // "?" or blank: not given
        }
    default:
        return Fail(error, QStringLiteral("pole typu %1 sa nedá prečítať").arg(QLatin1Char(f.type)));
    }
}

} // namespace vidoraw
