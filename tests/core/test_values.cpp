#include "core/interaction.h"
#include "core/values.h"

#include "testmain.h"

#include <QRegularExpression>
#include <QTest>
#include <QWidget>

using namespace vidoraw;

namespace {

// Records the notices the checks show.
class NoticeRecorder : public Interaction {
public:
    struct Notice {
        QString title;
        QString text;
        NoticeKind kind;
        Placement where;
    };
    NoticeRecorder() { previous_ = InstallInteraction(this); }
    ~NoticeRecorder() override { InstallInteraction(previous_); }
    void showNotice(const QString& title, const QString& text, NoticeKind kind,
                    Placement where) override {
        notices.append({title, text, kind, where});
    }
    int askConfirm(const QString&, Placement) override {
        ++questions;
        return -1;
    }
    QList<Notice> notices;
    int questions = 0;

private:
    Interaction* previous_ = nullptr;
};

double Days(int y, int m, int d) {
    return DaysFromDate(QDate(y, m, d));
}

} // namespace

class TestValues : public QObject {
    Q_OBJECT
private slots:
    // ---- texts ----

    void trims_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<QString>("leading");
        QTest::addColumn<QString>("trailing");
        QTest::addColumn<QString>("both");
        QTest::newRow("empty") << "" << true << ""
                               << ""
                               << "";
        QTest::newRow("spaces") << "   " << true << ""
                                << ""
                                << "";
        QTest::newRow("word") << "  ab c  " << false << "ab c  "
                              << "  ab c"
                              << "ab c";
        // Only the space counts: tabs and line breaks stay.
        QTest::newRow("tab") << "\t a\t" << false << "\t a\t"
                             << "\t a\t"
                             << "\t a\t";
        QTest::newRow("nbsp") << u"\u00A0x "_qs << false << u"\u00A0x "_qs << u"\u00A0x"_qs
                              << u"\u00A0x"_qs;
    }
    void trims() {
        QFETCH(QString, text);
        QTEST(IsBlank(text), "blank");
        QTEST(TrimLeadingSpaces(text), "leading");
        QTEST(TrimTrailingSpaces(text), "trailing");
        QTEST(TrimSpaces(text), "both");
    }

    void subText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::newRow("middle") << "abcdef" << 2 << 3 << "bcd";
        QTest::newRow("past the end") << "abcdef" << 5 << 10 << "ef";
        QTest::newRow("start beyond") << "abc" << 4 << 1 << "";
        QTest::newRow("start 0 counts as 1") << "abc" << 0 << 2 << "ab";
        QTest::newRow("negative count") << "abc" << 1 << -1 << "";
    }
    void subText() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, count);
        QTEST(SubText(text, start, count), "result");
    }

    void beforeAfterSplit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("split");
        QTest::newRow("trailing separator") << "a,b,"
                                            << ","
                                            << "a"
                                            << "b," << QStringList{"a", "b", ""};
        QTest::newRow("no separator") << "abc"
                                      << ","
                                      << ""
                                      << "abc" << QStringList{"abc"};
        QTest::newRow("empty text") << ""
                                    << ","
                                    << ""
                                    << "" << QStringList{""};
        QTest::newRow("long separator") << "x||y||z"
                                        << "||"
                                        << "x"
                                        << "y||z" << QStringList{"x", "y", "z"};
        QTest::newRow("only separators") << ",,"
                                         << ","
                                         << ""
                                         << "," << QStringList{"", "", ""};
        QTest::newRow("empty separator") << "abc"
                                         << ""
                                         << ""
                                         << "abc" << QStringList{"abc"};
    }
    void beforeAfterSplit() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QTEST(TextBefore(text, separator), "before");
        QTEST(TextAfter(text, separator), "after");
        QTEST(SplitText(text, separator), "split");
    }

    void padding() {
        QCOMPARE(PadRight("abcdef", 4), QString("abcdef"));
        QCOMPARE(PadRight("ab", 4), QString("ab  "));
        QCOMPARE(PadRight("", 0), QString());
        QCOMPARE(PadLeft("ab", 4), QString("  ab"));
        QCOMPARE(PadLeft("abcdef", 4), QString("abcdef"));
        QCOMPARE(PadLeftWith("7", 5, "0"), QString("00007"));
        QCOMPARE(PadLeftWith("7", 3, "ab"), QString("abab7"));
        QCOMPARE(PadLeftWith("123", 2, "0"), QString("123"));
    }

    void joinName_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("joined");
        QTest::newRow("all") << " Ing. "
                             << "Ján"
                             << " Novák" << u"Ing. Ján Novák"_qs;
        QTest::newRow("no title") << ""
                                  << "Ján"
                                  << "Novák" << u"Ján Novák"_qs;
        QTest::newRow("no first name") << "MUDr."
                                       << "  "
                                       << "Nová" << u"MUDr. Nová"_qs;
        QTest::newRow("title only") << "Mgr."
                                    << ""
                                    << ""
                                    << "Mgr.";
        QTest::newRow("nothing") << " "
                                 << ""
                                 << " "
                                 << "";
    }
    void joinName() {
        QFETCH(QString, title);
        QFETCH(QString, first);
        QFETCH(QString, surname);
        QTEST(JoinName(title, first, surname), "joined");
    }

    void replaceInLines() {
        QStringList lines{"<MENO> a <MENO>", "bez", "<meno>", "x<MENO>"};
        ReplaceInLines(lines, "<MENO>", u"Jožo"_qs);
        QCOMPARE(lines, (QStringList{u"Jožo a <MENO>"_qs, "bez", "<meno>", u"xJožo"_qs}));
        ReplaceInLines(lines, "", "z"); // nothing to look for: nothing changes
        QCOMPARE(lines[1], QString("bez"));
    }

    void fillPlaceholders_data() {
        using Values = QList<std::pair<QString, QString>>;
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Values>("values");
        QTest::addColumn<bool>("every");
        QTest::addColumn<QStringList>("filled");
        const Values ico{{"XXX_ICO", "01234567"}, {"XXX_ICOI", "1234567"}};
        QTest::newRow("a name beginning like an earlier one")
            << QStringList{"XXX_ICOI / XXX_ICO"} << ico << false
            << QStringList{"1234567 / 01234567"};
        QTest::newRow("the longer given first")
            << QStringList{"XXX_ICO XXX_ICOI"} << Values{ico[1], ico[0]} << false
            << QStringList{"01234567 1234567"};
        QTest::newRow("a value holding a placeholder stays as it is")
            << QStringList{"XXX_FIRMA, XXX_MESTO"}
            << Values{{"XXX_FIRMA", "XXX_MESTO s.r.o."}, {"XXX_MESTO", u"Košice"_qs}} << false
            << QStringList{u"XXX_MESTO s.r.o., Košice"_qs};
        QTest::newRow("first occurrence in every line")
            << QStringList{"XXX_A XXX_A", "XXX_A"} << Values{{"XXX_A", "1"}} << false
            << QStringList{"1 XXX_A", "1"};
        QTest::newRow("given twice, the first two")
            << QStringList{"XXX_A XXX_A XXX_A"} << Values{{"XXX_A", "1"}, {"XXX_A", "2"}}
            << false << QStringList{"1 2 XXX_A"};
        QTest::newRow("every occurrence")
            << QStringList{"XXX_DICO XXX_DICON XXX_DICO"}
            << Values{{"XXX_DICO", "2020/1"}, {"XXX_DICON", "2020123"}} << true
            << QStringList{"2020/1 2020123 2020/1"};
        QTest::newRow("glued to other letters, case counts")
            << QStringList{"xXXX_AyXXX_Bz xxx_a"} << Values{{"XXX_A", "1"}, {"XXX_B", "2"}}
            << false << QStringList{"x1y2z xxx_a"};
        QTest::newRow("an empty name looks for nothing")
            << QStringList{"abc"} << Values{{"", "z"}} << true << QStringList{"abc"};
    }
    void fillPlaceholders() {
        using Values = QList<std::pair<QString, QString>>;
        QFETCH(QStringList, lines);
        QFETCH(Values, values);
        QFETCH(bool, every);
        FillPlaceholders(lines, values, every);
        QTEST(lines, "filled");
    }

    void fileSafeName() {
        QCOMPARE(FileSafeName("a.b-c,d/e\\f?g*h"), QString("abc_d_e_f_g_h"));
        QCOMPARE(FileSafeName(u"Nová faktúra"_qs), u"Nová faktúra"_qs);
    }

    void splitStreetNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::newRow("plain") << u" Hlavná 12 "_qs << u"Hlavná"_qs << "12";
        QTest::newRow("no number") << u"Hlavná"_qs << u"Hlavná"_qs << "";
        QTest::newRow("letter after number") << "Dlha 12a"
                                             << "Dlha 12a"
                                             << "";
        QTest::newRow("glued") << "Dlha12"
                               << "Dlha"
                               << "12";
        QTest::newRow("slash") << "Dlha 12/3"
                               << "Dlha 12/"
                               << "3";
        QTest::newRow("digits only") << "123"
                                     << "123"
                                     << "";
        QTest::newRow("empty") << "   "
                               << ""
                               << "";
    }
    void splitStreetNumber() {
        QFETCH(QString, text);
        const NameAndNumber r = SplitStreetNumber(text);
        QTEST(r.name, "name");
        QTEST(r.number, "number");
    }

    void splitHouseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("number");
        QTest::newRow("slash number") << u"Hlavná 12/3 "_qs << u"Hlavná "_qs << "12/3";
        QTest::newRow("plain") << "Dlha 7"
                               << "Dlha "
                               << "7";
        QTest::newRow("no number") << "Dlha"
                                   << "Dlha"
                                   << "";
        QTest::newRow("letter at end") << "Dlha 7b"
                                       << "Dlha 7b"
                                       << "";
        QTest::newRow("digits only") << "15"
                                     << ""
                                     << "15";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void splitHouseNumber() {
        QFETCH(QString, text);
        const NameAndNumber r = SplitHouseNumber(text);
        QTEST(r.name, "street");
        QTEST(r.number, "number");
    }

    void monthsAndLetters() {
        QCOMPARE(MonthName(1), u"Január"_qs);
        QCOMPARE(MonthName(5), u"Máj"_qs);
        QCOMPARE(MonthName(12), u"December"_qs);
        QCOMPARE(MonthName(0), u"Neznámy"_qs);
        QCOMPARE(MonthName(13), u"Neznámy"_qs);
        QStringList items{"old"};
        LetterItems(items);
        QCOMPARE(items.size(), 26);
        QCOMPARE(items.first(), QString("A"));
        QCOMPARE(items.last(), QString("Z"));
    }

    // ---- numbers ----

    void isIntegerText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits") << "123" << true << "123";
        QTest::newRow("spaces around") << "  42 " << true << "  42 ";
        QTest::newRow("blank becomes 0") << "   " << true << "0";
        QTest::newRow("empty becomes 0") << "" << true << "0";
        QTest::newRow("sign") << "-5" << false << "-5";
        QTest::newRow("space inside") << "5 5" << false << "5 5";
        QTest::newRow("letter") << "12a" << false << "12a";
        QTest::newRow("separator") << "1,5" << false << "1,5";
    }
    void isIntegerText() {
        QFETCH(QString, text);
        QTEST(IsIntegerText(text), "valid");
        QTEST(text, "after");
    }

    void isDecimalText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("after");
        QTest::newRow("signed with spaces") << "  -12,50  " << true << "  -12,50  ";
        QTest::newRow("integer") << "7" << true << "7";
        QTest::newRow("separator without digits") << "1," << true << "1,";
        QTest::newRow("plus") << "+3,1" << true << "+3,1";
        QTest::newRow("lone sign passes") << "-" << true << "-";
        QTest::newRow("blank becomes 0,00") << "  " << true << "0,00";
        QTest::newRow("two separators") << "1,2,3" << false << "1,2,3";
        QTest::newRow("letter") << "12a" << false << "12a";
        QTest::newRow("space between digits") << "1 2" << false << "1 2";
        QTest::newRow("point is not the separator") << "1.5" << false << "1.5";
        QTest::newRow("leading separator") << ",5" << false << ",5";
        QTest::newRow("sign then space") << "- 5" << false << "- 5";
        QTest::newRow("space before fraction ends it") << "1, 5" << false << "1, 5";
    }
    void isDecimalText() {
        QFETCH(QString, text);
        QTEST(IsDecimalText(text), "valid");
        QTEST(text, "after");
    }

    void checkedDecimalText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("trimmed") << " 1,5 "
                                 << "1,5";
        QTest::newRow("invalid") << "1.5"
                                 << "0,00";
        QTest::newRow("blank") << ""
                               << "0,00";
    }
    void checkedDecimalText() {
        QFETCH(QString, text);
        CheckedDecimalText(text);
        QTEST(text, "result");
    }

    void separators() {
        QCOMPARE(NormalizeDecimal("1.5,2"), QString("1,5,2"));
        QCOMPARE(DotDecimal("1,50"), QString("1.50"));
        QCOMPARE(DecimalsPattern(2), QString("%.2f"));
        QCOMPARE(DecimalsPattern(6), QString("%.0f"));
        QCOMPARE(DecimalsPattern(-1), QString("%.0f"));
    }

    void formatDecimals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("result");
        QTest::newRow("point in") << "12.5" << 2 << "12,50";
        QTest::newRow("count 7 means none") << "12.5" << 7 << "13";
        QTest::newRow("binary half away from zero") << "0,125" << 2 << "0,13";
        QTest::newRow("0,375") << "0,375" << 2 << "0,38";
        QTest::newRow("2.5 no decimals") << "2.5" << 0 << "3";
        QTest::newRow("-2.5 no decimals") << "-2.5" << 0 << "-3";
        QTest::newRow("just below half") << "1,005" << 2 << "1,00"; // 1.00499999…
        QTest::newRow("carry") << "9,9999" << 2 << "10,00";
        QTest::newRow("blank") << "  " << 2 << "0,00";
        QTest::newRow("not a number") << "abc" << 2 << "0,00";
        QTest::newRow("negative to zero has no sign") << "-0,001" << 2 << "0,00";
        QTest::newRow("spaces and five decimals") << " 3,14159265 " << 5 << "3,14159";
        QTest::newRow("large") << "1234567,891" << 2 << "1234567,89";
    }
    void formatDecimals() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QTEST(FormatDecimals(text, count), "result");
    }

    void formatAmountAndFixed() {
        QCOMPARE(FormatAmount("1500"), QString("1500,00"));
        QCOMPARE(FormatFixed(0.125, 2, u'.'), QString("0.13"));
        QCOMPARE(FormatFixed(1e20, 0), QString("100000000000000000000"));
        QCOMPARE(FormatFixed(5e-324, 3), QString("0,000"));
        QCOMPARE(FormatFixed(-5e-324, 3), QString("0,000"));
        QCOMPARE(FormatFixed(-1234.5678, 3), QString("-1234,568"));
        QCOMPARE(FormatFixed(0.1, 20), QString("0,10000000000000000555"));
        QCOMPARE(FormatFixed(qInf(), 2), QString("INF"));
    }

    // Up to three decimals take a shortcut; it must round as the exact expansion (twenty
    // decimals, rounded by hand here) does, the binary halves and near-halves included.
    void formatFixedShortcutMatchesExpansion() {
        auto reference = [](double v, int d) {
            const QString exact = FormatFixed(v, 20, u'.');
            const bool negative = exact.startsWith('-');
            QString digits = exact.mid(negative ? 1 : 0);
            const qsizetype point = digits.indexOf('.');
            const bool up = digits[point + 1 + d] >= '5';
            digits.truncate(d == 0 ? point : point + 1 + d);
            digits.remove('.');
            for (qsizetype i = digits.size() - 1; up; --i) {
                if (i < 0) {
                    digits.prepend('1');
                    break;
                }
                if (digits[i] != '9') {
                    digits[i] = QChar(digits[i].unicode() + 1);
                    break;
                }
                digits[i] = '0';
            }
            if (d > 0)
                digits.insert(digits.size() - d, '.');
            const bool zero = !digits.contains(QRegularExpression("[1-9]"));
            return (negative && !zero ? "-" : "") + digits;
        };
        for (int k = -20000; k <= 20000; k += 7)
            for (double v : {k / 1000.0, k / 1000.0 + 0.0005, k / 8.0, k * 1.005, k / 3.0})
                for (int d = 0; d <= 3; ++d)
                    QCOMPARE(FormatFixed(v, d, u'.'), reference(v, d));
    }

    void floatAsText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1*3") << 0.1 * 3 << "0,3";
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0,3";
        QTest::newRow("third") << 1.0 / 3 << "0,333333333333333";
        QTest::newRow("two thirds") << 2.0 / 3 << "0,666666666666667";
        QTest::newRow("integer") << 100.0 << "100";
        QTest::newRow("negative") << -2.5 << "-2,5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("1E15") << 1e15 << "1E15";
        QTest::newRow("rounds up to 1E15") << 999999999999999.9 << "1E15";
        QTest::newRow("small fixed") << 0.00001 << "0,00001";
        QTest::newRow("small exponent") << 1.5e-7 << "1,5E-7";
        QTest::newRow("amount") << 1234.56 << "1234,56";
    }
    void floatAsText() {
        QFETCH(double, value);
        QTEST(FloatAsText(value), "text");
    }

    void roundDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("result");
        QTest::newRow("0.125 to even") << 0.125 << 2 << 0.12;
        QTest::newRow("0.375 to even") << 0.375 << 2 << 0.38;
        QTest::newRow("2.5") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5") << 3.5 << 0 << 4.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
        QTest::newRow("not a tie") << 1.2349 << 2 << 1.23;
        QTest::newRow("tens") << 1234.5 << -1 << 1230.0;
        QTest::newRow("hundreds") << 1260.0 << -2 << 1300.0;
    }
    void roundDecimals() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QTEST(RoundDecimals(value, digits), "result");
    }

    void roundToHalf_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("result");
        QTest::newRow("12.24") << 12.24 << 12.0;
        QTest::newRow("12.25") << 12.25 << 12.5;
        QTest::newRow("12.74") << 12.74 << 12.5;
        QTest::newRow("12.75") << 12.75 << 13.0;
        QTest::newRow("12") << 12.0 << 12.0;
        QTest::newRow("0.5") << 0.5 << 0.5;
        QTest::newRow("negative loses fraction") << -12.8 << -12.0;
        QTest::newRow("negative small") << -0.3 << 0.0;
    }
    void roundToHalf() {
        QFETCH(double, value);
        QTEST(RoundToHalf(value), "result");
    }

    void decimalConversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "1,5" << true << 1.5;
        QTest::newRow("spaces, sign") << " -2,25 " << true << -2.25;
        QTest::newRow("plus") << "+3" << true << 3.0;
        QTest::newRow("exponent") << "1,5E-2" << true << 0.015;
        QTest::newRow("no integer digits") << ",5" << true << 0.5;
        QTest::newRow("no fraction digits") << "5," << true << 5.0;
        QTest::newRow("point") << "1.5" << false << 0.0;
        QTest::newRow("lone sign") << "-" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
        QTest::newRow("bare exponent") << "1e" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
    }
    void decimalConversion() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        double value = 0;
        QCOMPARE(DecimalFromText(text, value), ok);
        QCOMPARE(IsDecimalQuiet(text), ok);
        if (ok) QTEST(value, "value");
    }

    void integerConversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("plain") << "42" << true;
        QTest::newRow("negative") << "-5" << true;
        QTest::newRow("spaces") << " 7 " << true;
        QTest::newRow("max") << "9223372036854775807" << true;
        QTest::newRow("overflow") << "9223372036854775808" << false;
        QTest::newRow("decimal") << "1,5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("sign only") << "+" << false;
    }
    void integerConversion() {
        QFETCH(QString, text);
        QTEST(IsIntegerQuiet(text), "ok");
    }

    void checksShowTheirNotice() {
        NoticeRecorder ui;
        QWidget owner;
        QVERIFY(CheckDecimal("1,5", &owner));
        QVERIFY(CheckInteger("15", &owner));
        QVERIFY(CheckDate("29/02/2008", &owner));
        QCOMPARE(ui.notices.size(), 0);

        QVERIFY(!CheckDecimal("1.5", &owner));
        QVERIFY(!CheckInteger("12a", &owner));
        QVERIFY(!CheckDate("31.4.2008", nullptr));
        QCOMPARE(ui.notices.size(), 3);
        const QStringList texts{u" Nesprávne desatinné číslo! "_qs, u" Nesprávne celé číslo! "_qs,
                                u" Nesprávny dátum! "_qs};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ui.notices[i].title, QString("Chyba !"));
            QCOMPARE(ui.notices[i].text, texts[i]);
            QCOMPARE(ui.notices[i].kind, NoticeKind::Error);
            QVERIFY(!ui.notices[i].where.below);
        }
        QCOMPARE(ui.notices[0].where.owner, &owner);
        QVERIFY(ui.notices[2].where.owner == nullptr);
        QCOMPARE(ui.questions, 0);
    }

    void birthNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("divisible") << "800101/1238" << true;
        QTest::newRow("without slash") << "8001011238" << true;
        QTest::newRow("not divisible") << "800101/1234" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "800101/12a8" << false;
        QTest::newRow("too long") << "99999999999999999999" << false;
    }
    void birthNumber() {
        QFETCH(QString, text);
        QTEST(BirthNumberValid(text), "valid");
    }

    // ---- dates ----

    void calendar_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("leap");
        QTest::newRow("1900") << 1900 << false;
        QTest::newRow("2000") << 2000 << true;
        QTest::newRow("2100") << 2100 << false;
        QTest::newRow("2008") << 2008 << true;
        QTest::newRow("2007") << 2007 << false;
        QTest::newRow("2400") << 2400 << true;
    }
    void calendar() {
        QFETCH(int, year);
        QFETCH(bool, leap);
        QCOMPARE(IsLeapYear(year), leap);
        QCOMPARE(DaysInYear(year), leap ? 366 : 365);
        QCOMPARE(DaysInMonth(2, year), leap ? 29 : 28);
        int total = 0;
        for (int m = 1; m <= 12; ++m)
            total += DaysInMonth(m, year);
        QCOMPARE(total, DaysInYear(year));
        QCOMPARE(DaysInMonth(0, year), 0);
        QCOMPARE(DaysInMonth(13, year), 0);
    }

    void parseDayMonthYear_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::newRow("plain") << "31.12.2008" << 31 << 12 << 2008;
        QTest::newRow("any separator") << "5/6-2001" << 5 << 6 << 2001;
        QTest::newRow("spaces in parts") << " 1 . 2 .2008 " << 1 << 2 << 2008;
        QTest::newRow("blank mask") << "  .  .    " << 0 << 0 << 0;
        QTest::newRow("extra parts join the third") << "1.2.20.08" << 1 << 2 << 2008;
        QTest::newRow("space inside a part") << "1 2.3.2000" << 0 << 3 << 2000;
        QTest::newRow("two parts") << "1.2" << 1 << 2 << 0;
        QTest::newRow("huge part") << "1.2.99999999999" << 1 << 2 << 0;
    }
    void parseDayMonthYear() {
        QFETCH(QString, text);
        int d = -1, m = -1, y = -1;
        ParseDayMonthYear(text, d, m, y);
        QTEST(d, "day");
        QTEST(m, "month");
        QTEST(y, "year");
    }

    void isDateText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("emptyAllowed");
        QTest::addColumn<bool>("valid");
        QTest::newRow("29.02.2007") << "29.02.2007" << false << false;
        QTest::newRow("29.02.1900") << "29.02.1900" << false << false;
        QTest::newRow("29.02.2008") << "29.02.2008" << false << true;
        QTest::newRow("29.02.2000") << "29.02.2000" << false << true;
        QTest::newRow("29.02.2100") << "29.02.2100" << false << false;
        QTest::newRow("31.04.2008") << "31.04.2008" << false << false;
        QTest::newRow("month 13") << "1.13.2008" << false << false;
        QTest::newRow("day 0") << "0.1.2008" << false << false;
        QTest::newRow("slash not allowed") << "1/1/2008" << false << false;
        QTest::newRow("year 0") << "1.1.0" << false << true;
        QTest::newRow("year 10000") << "1.1.10000" << false << false;
        QTest::newRow("empty allowed") << "" << true << true;
        QTest::newRow("empty refused") << "" << false << false;
        QTest::newRow("mask allowed") << "  .  .    " << true << true;
        QTest::newRow("mask refused") << "  .  .    " << false << false;
        QTest::newRow("spaces are not the mask") << "   " << true << false;
    }
    void isDateText() {
        QFETCH(QString, text);
        QFETCH(bool, emptyAllowed);
        QTEST(IsDateText(text, emptyAllowed), "valid");
    }

    void parseDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QDate>("date");
        QTest::newRow("plain") << "31.5.2008" << true << QDate(2008, 5, 31);
        QTest::newRow("padded") << "01.02.2008" << true << QDate(2008, 2, 1);
        QTest::newRow("other separators") << "29-02/2000" << true << QDate(2000, 2, 29);
        QTest::newRow("spaces") << " 1 . 2 . 2008 " << true << QDate(2008, 2, 1);
        QTest::newRow("29.02.2100") << "29.02.2100" << false << QDate();
        QTest::newRow("two-digit year") << "1.2.08" << false << QDate();
        QTest::newRow("no year") << "1.2" << false << QDate();
        QTest::newRow("four parts") << "1.2.2008.1" << false << QDate();
        QTest::newRow("empty") << "" << false << QDate();
        QTest::newRow("blank mask") << "  .  .    " << false << QDate();
        QTest::newRow("year 0") << "1.1.0000" << false << QDate();
        QTest::newRow("letters") << "1a.2.2008" << false << QDate();
    }
    void parseDate() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QDate, date);
        double days = -1;
        QCOMPARE(ParseDate(text, days), ok);
        if (ok) QCOMPARE(DateFromDays(days), date);
    }

    void dayCounts() {
        QCOMPARE(DaysFromDate(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(DaysFromDate(QDate(2008, 5, 31)), 39599.0);
        QCOMPARE(DaysFromDate(QDate()), 0.0);
        QCOMPARE(DateFromDays(39599.75), QDate(2008, 5, 31)); // the time of day is ignored
        QVERIFY(!DateFromDays(qQNaN()).isValid());
        QCOMPARE(FormatDate(39599), QString("31.5.2008"));
        QCOMPARE(FormatDate(0), QString("30.12.1899"));
        QCOMPARE(FormatDateOrBlank(0), QString());
        QCOMPARE(FormatDateOrBlank(39599), QString("31.5.2008"));
        QCOMPARE(DateMonth(39599), 5);
        QCOMPARE(DateYear(39599), 2008);
    }

    void dateKey_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("key");
        QTest::newRow("day 0") << 0.0 << "00000000";
        QTest::newRow("31 May 2008") << Days(2008, 5, 31) << "20080531";
        QTest::newRow("with time") << Days(2008, 5, 31) + 0.5 << "20080531";
        QTest::newRow("day 1") << 1.0 << "18991231";
        QTest::newRow("before day 0") << -1.0 << "18991229";
        QTest::newRow("early year") << Days(987, 1, 2) << "09870102";
    }
    void dateKey() {
        QFETCH(double, days);
        QTEST(DateKey(days), "key");
    }

    void lastDayOfMonth_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("last");
        QTest::newRow("February 2008") << Days(2008, 2, 10) << "29.2.2008";
        QTest::newRow("February 1900") << Days(1900, 2, 1) << "28.2.1900";
        QTest::newRow("February 2000") << Days(2000, 2, 29) << "29.2.2000";
        QTest::newRow("February 2100") << Days(2100, 2, 28) << "28.2.2100";
        QTest::newRow("December") << Days(2008, 12, 1) << "31.12.2008";
        QTest::newRow("April") << Days(2008, 4, 30) << "30.4.2008";
    }
    void lastDayOfMonth() {
        QFETCH(double, days);
        QTEST(LastDayOfMonthText(days), "last");
    }

    void dateSeparators() { QCOMPARE(NormalizeDateSeparators("1,2/3-4.5"), QString("1.2.3.4.5")); }
};

VIDORAW_TEST(TestValues)
#include "test_values.moc"
