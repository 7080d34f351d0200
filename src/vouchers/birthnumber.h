#pragma once
// Birth numbers ("rodné číslo") as the insurers issue them: six digits of the birth date
// (month + 50 for women; + 20 or + 70 when a day's numbers ran out), "/", then three digits
// (born before 1954) or four digits whose whole ten-digit number is divisible by 11.
#include <QString>

class QLineEdit;
class QWidget;

namespace vidoraw {

struct BirthNumberReading {
    enum class Verdict { Valid, Refused, Doubtful };
    Verdict verdict = Verdict::Refused;
    // What the field shows afterwards: the slash put in where it was missing.
    QString text;
    // The refusal, or for a doubtful number the question whether to go on anyway.
    QString message;
};

// Reads a typed birth number: the slash is put after the sixth digit of nine or ten digits
// typed without it (an eleventh digit is dropped); the date part must be a real date; ten
// digits must be divisible by 11, or leave 10 in their first nine and end in 0 (numbers of
// 1954-1985), else the number is doubtful; nine digits are never tested.
BirthNumberReading ReadBirthNumber(const QString& typed);

// The check on the field: puts the text as read back into it, shows the refusal (title "Chyba")
// or asks the question of a doubtful number. True when the number passed or the user went on.
bool CheckBirthNumberEdit(QLineEdit* edit, QWidget* owner);

} // namespace vidoraw
