#include "core/base/codepage.h"

namespace vidoraw {

namespace {

// Bytes 0x80..0xFF of code page 1250; the undefined ones keep U+0080 + byte.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

// Kamenický bytes 128..171.
constexpr char16_t kKamenicky[44] = {
    u'Č', u'ü', u'é', u'ď', u'ä', u'Ď', u'Ť', u'č', u'ě', u'Ě', u'Ĺ', u'Í', u'ľ', u'ĺ', u'Ä',
    u'Á', u'É', u'ž', u'Ž', u'ô', u'ö', u'Ó', u'ů', u'Ú', u'ý', u'Ö', u'Ü', u'Š', u'Ľ', u'Ý',
    u'Ř', u'ť', u'á', u'í', u'ó', u'ú', u'ň', u'Ň', u'Ů', u'Ô', u'š', u'ř', u'ŕ', u'Ŕ',
};

constexpr char16_t kWithDiacritics[] = u"ŠŤŽšťžĽĹľĺŔŘÁÄČÉĚÍĎŇÓÔÖŮÚÜÝŕřáäčéěíďňóôöůúüý";
constexpr char16_t kBaseLetters[] = u"STZstzLLllRRAACEEIDNOOOUUUYrraaceeidnooouuuy";
static_assert(sizeof(kWithDiacritics) == sizeof(kBaseLetters));

int DiacriticIndex(QChar ch) {
    for (int i = 0; kWithDiacritics[i]; ++i)
        if (kWithDiacritics[i] == ch.unicode()) return i;
    return -1;
}

} // namespace

QChar Cp1250Char(unsigned char byte) {
    return byte < 0x80 ? QChar(char16_t(byte)) : QChar(kCp1250High[byte - 0x80]);
}

bool Cp1250Byte(QChar ch, unsigned char& byte) {
    const char16_t u = ch.unicode();
    if (u < 0x80) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    // Most of the upper half maps to itself (Latin-1 letters); check that first.
    if (u <= 0xFF && kCp1250High[u - 0x80] == u) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    for (int i = 0; i < 128; ++i) {
        if (kCp1250High[i] == u) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

QByteArray ToCp1250(const QString& text, QString* unrepresentable) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        unsigned char b;
        if (Cp1250Byte(text[i], b)) {
            out.append(char(b));
            continue;
        }
        // A character outside the basic plane is one character: one '?'.
        QString bad(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            bad.append(text[++i]);
        out.append('?');
        if (unrepresentable && !unrepresentable->contains(bad)) unrepresentable->append(bad);
    }
    return out;
}

QString FromCp1250(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(Cp1250Char(static_cast<unsigned char>(c)));
    return out;
}

bool IsCp1250Text(const QString& text) {
    unsigned char b;
    for (QChar ch : text)
        if (!Cp1250Byte(ch, b)) return false;
    return true;
}

bool HasDiacritics(QChar ch) {
    return DiacriticIndex(ch) >= 0;
}

bool HasDiacritics(const QString& text) {
    for (QChar ch : text)
        if (HasDiacritics(ch)) return true;
    return false;
}

QString StripDiacritics(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        const int i = DiacriticIndex(ch);
        if (i >= 0) ch = QChar(kBaseLetters[i]);
    }
    return out;
}

QString FromKamenicky(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 128 && b <= 171)
            out.append(QChar(kKamenicky[b - 128]));
        else
            out.append(Cp1250Char(b));
    }
    return out;
}

namespace {
// ISO 8859-2 code → code page 1250 code of the four capitals that differ.
unsigned char Latin2Capital(unsigned char b) {
    switch (b) {
    case 165:
        return 188; // Ľ
    case 169:
        return 138; // Š
    case 171:
        return 141; // Ť
    case 174:
        return 142; // Ž
    default:
        return b;
    }
}
} // namespace

QByteArray FromLatin2Capitals(const QByteArray& bytes) {
    QByteArray out = bytes;
    for (char& c : out)
        c = char(Latin2Capital(static_cast<unsigned char>(c)));
    return out;
}

QString FromLatin2Capitals(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        unsigned char b;
        if (Cp1250Byte(ch, b)) ch = Cp1250Char(Latin2Capital(b));
    }
    return out;
}

QString ScramblePassword(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        unsigned char b;
        if (Cp1250Byte(ch, b) && b <= 124) ch = Cp1250Char(static_cast<unsigned char>(b + 3));
    }
    return out;
}

QString UnscramblePassword(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        unsigned char b;
        if (Cp1250Byte(ch, b) && b <= 130)
            ch = Cp1250Char(static_cast<unsigned char>(b - 3)); // 0..2 wrap to 253..255
    }
    return out;
}

} // namespace vidoraw
