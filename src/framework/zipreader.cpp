#include "framework/zipreader.h"

#include <zlib.h>

namespace vidoraw {

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEntrySignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr int kPiece = 256 * 1024;

quint16 U16(const QByteArray& b, qint64 at) {
    return quint16(quint8(b[at])) | quint16(quint8(b[at + 1])) << 8;
}
quint32 U32(const QByteArray& b, qint64 at) { return quint32(U16(b, at)) | quint32(U16(b, at + 2)) << 16; }

bool Fail(QString* why, const QString& text) {
    if (why)
        *why = text;
    return false;
}

} // namespace

bool ZipReader::open(const QByteArray& bytes, QString* why) {
    bytes_ = bytes;
    members_.clear();
    const qint64 n = bytes_.size();
    // The directory's end record lies within the last 64 KB (its comment) plus its own 22 bytes.
    qint64 end = -1;
    for (qint64 at = n - 22; at >= 0 && at >= n - 22 - 65535; --at) {
        if (U32(bytes_, at) == kEndSignature) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return Fail(why, QStringLiteral("poškodený zip"));
    const quint16 count = U16(bytes_, end + 10);
    const quint32 dirSize = U32(bytes_, end + 12);
    const quint32 dirStart = U32(bytes_, end + 16);
    if (qint64(dirStart) + dirSize > end)
        return Fail(why, QStringLiteral("poškodený zip"));
    qint64 at = dirStart;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > end || U32(bytes_, at) != kEntrySignature)
            return Fail(why, QStringLiteral("poškodený zip"));
        Member m;
        const quint16 flags = U16(bytes_, at + 8);
        m.method = U16(bytes_, at + 10);
        m.crc = U32(bytes_, at + 16);
        m.packed = U32(bytes_, at + 20);
        m.size = U32(bytes_, at + 24);
        const quint16 nameLength = U16(bytes_, at + 28);
        const quint16 extra = U16(bytes_, at + 30);
        const quint16 comment = U16(bytes_, at + 32);
        m.local = U32(bytes_, at + 42);
        if (at + 46 + nameLength + extra + comment > end)
            return Fail(why, QStringLiteral("poškodený zip"));
        const QByteArray name = bytes_.mid(at + 46, nameLength);
        m.name = (flags & 0x800) ? QString::fromUtf8(name) : QString::fromLatin1(name);
        if (flags & 1)
            return Fail(why, QStringLiteral("zašifrovaný zip"));
        members_ << m;
        at += 46 + nameLength + extra + comment;
    }
    return true;
}

int ZipReader::find(const QString& name) const {
    for (int i = 0; i < members_.size(); ++i)
        if (members_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ZipReader::read(int i, const std::function<bool(const QByteArray&)>& take, QString* why) const {
    if (i < 0 || i >= members_.size())
        return Fail(why, QStringLiteral("chýba časť"));
    const Member& m = members_[i];
    const qint64 at = m.local;
    if (at + 30 > bytes_.size() || U32(bytes_, at) != kLocalSignature)
        return Fail(why, QStringLiteral("poškodená časť %1").arg(m.name));
    const qint64 data = at + 30 + U16(bytes_, at + 26) + U16(bytes_, at + 28);
    if (data + qint64(m.packed) > bytes_.size())
        return Fail(why, QStringLiteral("poškodená časť %1").arg(m.name));
    const auto* in = reinterpret_cast<const Bytef*>(bytes_.constData() + data);
    uLong crc = crc32(0, nullptr, 0);
    if (m.method == 0) {
        for (quint32 done = 0; done < m.packed;) {
            const int piece = int(std::min<quint32>(kPiece, m.packed - done));
            crc = crc32(crc, in + done, uInt(piece));
            if (!take(QByteArray(reinterpret_cast<const char*>(in + done), piece)))
                return true;
            done += quint32(piece);
        }
    } else if (m.method == 8) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return Fail(why, QStringLiteral("časť %1 sa nedá rozbaliť").arg(m.name));
        z.next_in = const_cast<Bytef*>(in);
        z.avail_in = m.packed;
        QByteArray out(kPiece, Qt::Uninitialized);
        int rc = Z_OK;
        while (rc != Z_STREAM_END) {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END) {
                inflateEnd(&z);
                return Fail(why, QStringLiteral("časť %1 je poškodená").arg(m.name));
            }
            const int got = out.size() - int(z.avail_out);
            if (got == 0 && rc != Z_STREAM_END && z.avail_in == 0) {
                inflateEnd(&z);
                return Fail(why, QStringLiteral("časť %1 je poškodená").arg(m.name));
            }
            crc = crc32(crc, reinterpret_cast<const Bytef*>(out.constData()), uInt(got));
            if (got > 0 && !take(out.left(got))) {
                inflateEnd(&z);
                return true;
            }
        }
        inflateEnd(&z);
    } else {
        return Fail(why, QStringLiteral("časť %1 je zbalená neznámym spôsobom").arg(m.name));
    }
    if (crc != m.crc)
        return Fail(why, QStringLiteral("časť %1 je poškodená").arg(m.name));
    return true;
}

} // namespace vidoraw
