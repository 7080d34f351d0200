#pragma once
// Reads the members of a zip archive held in memory (an .xlsx workbook is one), stored or
// deflated, with zlib. Outside input: every offset and size is checked against the bytes, and a
// member is unpacked in pieces so that its announced size never decides what is allocated.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>

namespace vidoraw {

class ZipReader {
public:
    // False with the reason when the bytes hold no readable zip directory.
    bool open(const QByteArray& bytes, QString* why);
    // The member of that name, its letter case aside; -1 when there is none.
    int find(const QString& name) const;
    // Unpacks member i, handing on each piece; take answers false to stop early (no error).
    bool read(int i, const std::function<bool(const QByteArray&)>& take, QString* why) const;

private:
    struct Member {
        QString name;
        quint16 method = 0;
        quint32 crc = 0;
        quint32 packed = 0;
        quint32 size = 0;
        quint32 local = 0;
    };
    QByteArray bytes_;
    QVector<Member> members_;
};

} // namespace vidoraw
