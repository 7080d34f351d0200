#include "vouchers/birthnumber.h"

#include "core/interaction.h"
#include "core/values.h"

#include <QDate>
#include <QLineEdit>

namespace vidoraw {

namespace {

const QString kWrong = QStringLiteral("Rodné číslo nie je správne!");

BirthNumberReading Refuse(const QString& text, const QString& message) {
    return {BirthNumberReading::Verdict::Refused, text, message};
}

int TwoDigits(const QString& text, int from) { return text.mid(from, 2).toInt(); }

} // namespace

BirthNumberReading ReadBirthNumber(const QString& typed) {
    const QString trimmed = typed.trimmed();
    QString text = trimmed;
    QString dropped;
    if (text.size() > 8 && !text.contains(u'/')) {
        text = trimmed.left(6) + u'/' + trimmed.mid(6, 4);
        dropped = trimmed.mid(10);
    }
    if (text.size() < 10)
        return Refuse(text, kWrong);
    // A character that is no digit keeps the text as typed: the user corrects it there, and
    // nothing typed after the tenth character is lost on the way.
    for (QChar c : text + dropped)
        if (!(c >= u'0' && c <= u'9') && c != u'/')
            return Refuse(trimmed, QStringLiteral("Neprípustný znak v rodnom čísle: ") + c +
                                       QStringLiteral(" !"));
    if (text.count(u'/') > 1)
        return Refuse(text, QStringLiteral("V rodnom čísle môže byť najviac jeden znak / !"));
    // Six digits, the slash, three or four digits.
    if (text.indexOf(u'/') != 6 || text.size() > 11)
        return Refuse(text, kWrong);

    const bool tenDigits = text.size() == 11;
    const int yy = TwoDigits(text, 0);
    int month = TwoDigits(text, 2);
    const int day = TwoDigits(text, 4);
    if (month >= 71 && month <= 82)
        month -= 70;
    else if (month >= 51 && month <= 62)
        month -= 50;
    else if (month >= 21 && month <= 32)
        month -= 20;
    // Ten digits were issued from 1954 on, and with a year of 00-52 they belong to 2000-2052.
    const int year = tenDigits && yy <= 52 ? 2000 + yy : 1900 + yy;
    if (!QDate(year, month, day).isValid())
        return Refuse(text, QStringLiteral("Rodné číslo nie je správne. Časť pred lomítkom "
                                           "nepredstavuje reálny dátum !"));
    if (!tenDigits)
        return {BirthNumberReading::Verdict::Valid, text, QString()};
    const QString digits = text.left(6) + text.mid(7);
    const qint64 number = digits.toLongLong();
    const bool divisible = number % 11 == 0;
    const bool remainderTen = (number / 10) % 11 == 10 && number % 10 == 0;
    if (divisible || remainderTen)
        return {BirthNumberReading::Verdict::Valid, text, QString()};
    return {BirthNumberReading::Verdict::Doubtful, text,
            QStringLiteral("Rodné číslo nie je správne, nie je splnená podmienka modulo 11. Mám "
                           "aj napriek tomu pokračovať?")};
}

bool CheckBirthNumberEdit(QLineEdit* edit, QWidget* owner) {
    const BirthNumberReading r = ReadBirthNumber(edit->text());
    if (r.text != edit->text())
        edit->setText(r.text);
    switch (r.verdict) {
    case BirthNumberReading::Verdict::Valid:
        return true;
    case BirthNumberReading::Verdict::Doubtful:
        return AskConfirm(r.message, owner) == 1;
    case BirthNumberReading::Verdict::Refused:
        break;
    }
    ShowNotice(QStringLiteral("Chyba"), r.message, NoticeKind::Error, owner);
    return false;
}

} // namespace vidoraw
