#include "invoicing/cisradd.h"

#include "core/values.h"
#include "framework/radiogroup.h"
#include "invoicing/numberseries.h"

#include <QDate>
#include <QLineEdit>

#include <algorithm>

namespace vidoraw {

namespace {

qint64 WholeOrZero(const QString& text) {
    qint64 v = 0;
    return IntegerFromText(text, v) ? v : 0;
}

qint64 WholeOf(double stored) { return qint64(std::clamp(stored, -1e15, 1e15)); }

// The sample shows the prefix and postfix trimmed; issued numbers use them as stored.
QString Sample(const QString& prefix, qint64 counter, qint64 digits, const QString& postfix) {
    return FormatSeriesNumber(prefix.trimmed(), counter, int(std::clamp<qint64>(digits, 0, 1000)),
                              postfix.trimmed());
}

} // namespace

TfCisradd::TfCisradd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eMaxdlzka = rows().addRow(QStringLiteral("Maximálna dĺžka:"), 10, 6);
    eOznacenie = rows().addRow(QStringLiteral("Označenie:"), 30);
    rgPouzi = new RadioGroup(QStringLiteral(" Spôsob použitia "),
                             {QStringLiteral("Nepoužívať"), QStringLiteral("Podľa hodnoty počítadla"),
                              QStringLiteral("Maximálna hodnota+1")},
                             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, this);
    rows().addWide(rgPouzi);
    ePrefix = rows().addRow(QStringLiteral("Prefix:"), 10, 12);
    ePocitadlo = rows().addRow(QStringLiteral("Počítadlo:"), 15, 12);
    ePocmiest = rows().addRow(QStringLiteral("Počet miest:"), 2, 4);
    ePostfix = rows().addRow(QStringLiteral("Postfix:"), 10, 12);
    eUkazka = rows().addRow(QStringLiteral("Ukážka:"), 0, 24);
    FormRows::makeDisplayOnly(eUkazka);
    finishLayout();

    bind(eMaxdlzka, QStringLiteral("MAXDLZKA"));
    bind(eOznacenie, QStringLiteral("OZNACENIE"));
    bind(rgPouzi, QStringLiteral("POUZI"));
    bind(ePrefix, QStringLiteral("PREFIX"));
    bind(ePocitadlo, QStringLiteral("POCITADLO"));
    bind(ePocmiest, QStringLiteral("POCMIEST"));
    bind(ePostfix, QStringLiteral("POSTFIX"));
    checkedFields = {eMaxdlzka, eOznacenie, ePocitadlo, ePocmiest};

    table_.addCalcField({QStringLiteral("UKAZKA"), 'A', 10});
    table_.setCalcHandler([](Table& t) {
        // Only a series that issues numbers has a next one to show.
        const QString mode = t.field(QStringLiteral("POUZI")).asString();
        QString sample;
        if (mode == QLatin1String("B") || mode == QLatin1String("C"))
            sample = Sample(t.field(QStringLiteral("PREFIX")).asString(),
                            WholeOf(t.field(QStringLiteral("POCITADLO")).asFloat()),
                            WholeOf(t.field(QStringLiteral("POCMIEST")).asFloat()),
                            t.field(QStringLiteral("POSTFIX")).asString());
        t.field(QStringLiteral("UKAZKA")).setAsString(sample);
    });
    DefineList();
}

TableSchema TfCisradd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},        {"MAXDLZKA", 'F', 0}, {"OZNACENIE", 'A', 30},
                {"POUZI", 'A', 1},      {"PREFIX", 'A', 10},  {"POCITADLO", 'F', 0},
                {"POCMIEST", 'F', 0},   {"POSTFIX", 'A', 10}};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("iOznacenie", {"OZNACENIE"}, true)};
    // Invoices of a new data directory are numbered YEAR/001, YEAR/002, ...
    s.initialRows = {QStringLiteral("1|10|Číslo faktúry|B|%1/|1|3|")
                         .arg(QDate::currentDate().year())};
    return s;
}

void TfCisradd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "OZNACENIE"};
    list.orderTitles = {"Kód", "Označenie"};
    list.printFields = {"KOD", "OZNACENIE", "POUZI", "PREFIX", "POCITADLO", "POCMIEST"};
    list.printTitles = {"Kód", "Označenie", "Použi", "Prefix", "Počítadlo", "Počet miest"};
    list.listTitle = QStringLiteral("Zoznam číselných radov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfCisradd::proposeNewValues() {
    eMaxdlzka->setText(QStringLiteral("10"));
    ePocitadlo->setText(QStringLiteral("1"));
    ePocmiest->setText(QStringLiteral("3"));
    showSample();
}

void TfCisradd::LoadFields() {
    TfDbForm::LoadFields();
    showSample();
}

void TfCisradd::showSample() {
    eUkazka->setText(Sample(ePrefix->text(), WholeOrZero(ePocitadlo->text()),
                            WholeOrZero(ePocmiest->text()), ePostfix->text()));
}

bool TfCisradd::checkField(QWidget* control) {
    if (control == eOznacenie) {
        if (trimmedText(eOznacenie).isEmpty()) {
            complain(QStringLiteral("Pole nesmie byť prázdne!"));
            return false;
        }
        return true;
    }
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit)
        return true;
    const QString text = trimmedText(edit);
    if (text.isEmpty()) {
        complain(QStringLiteral("Pole nesmie byť prázdne!"));
        return false;
    }
    return CheckInteger(text, this);
}

bool TfCisradd::checkOnLeave(QWidget* control) {
    const bool passed = TfDbForm::checkOnLeave(control);
    if (control == ePocitadlo || control == ePocmiest || control == ePrefix || control == ePostfix)
        showSample();
    return passed;
}

} // namespace vidoraw
