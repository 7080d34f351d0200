#pragma once
// Code page 1250 and the DOS code pages the data came from.
// Internal text is QString; bytes exist only at file boundaries. The tables are our own so
// that the result never depends on how Qt or ICU were built.
#include <QByteArray>
#include <QChar>
#include <QString>

namespace vidoraw {

// The character a code page 1250 byte stands for. The five bytes that code page 1250
// leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) stand for U+0080 + byte, so that every
// byte survives a round trip.
QChar Cp1250Char(unsigned char byte);
// The code page 1250 byte of a character; false when code page 1250 cannot hold it.
bool Cp1250Byte(QChar ch, unsigned char& byte);

// Encodes text in code page 1250. A character code page 1250 cannot hold becomes '?' and is
// appended (each distinct character once, in order of appearance) to *unrepresentable, so a
// caller can refuse before writing anything.
QByteArray ToCp1250(const QString& text, QString* unrepresentable = nullptr);
QString FromCp1250(const QByteArray& bytes);
// True when every character of the text has a code page 1250 byte.
bool IsCp1250Text(const QString& text);

// Slovak and Czech letters with diacritics (the ones StripDiacritics knows).
bool HasDiacritics(QChar ch);
bool HasDiacritics(const QString& text); // any such letter in the text
QString StripDiacritics(const QString& text);

// Text of the earlier DOS program (Kamenický code page): the 44 Czech and Slovak letters at
// 128..171 become those letters; ASCII stays; any other byte is read as code page 1250.
QString FromKamenicky(const QByteArray& bytes);

// Repairs the four capitals Ľ Š Ť Ž that arrive in their ISO 8859-2 codes (165, 169, 171,
// 174) inside code page 1250 text. The QString variant works on text already decoded as
// code page 1250 (where those codes read as Ą © « ®).
QByteArray FromLatin2Capitals(const QByteArray& bytes);
QString FromLatin2Capitals(const QString& text);

// Stored form of passwords, on the code page 1250 codes of the characters: codes up to 124
// move up by 3, higher codes stay. Unscrambling moves codes up to 130 down by 3 (wrapping
// below 0 like a byte). Only texts of codes 0..124 and 131..255 survive the round trip.
// A character without a code page 1250 code is left as it is.
QString ScramblePassword(const QString& text);
QString UnscramblePassword(const QString& text);

} // namespace vidoraw
