#include "billing/fakturad.h"

#include "billing/batches.h"
#include "billing/batchlist.h"
#include "billing/billingreports.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/coderange.h"
#include "framework/mesrok.h"
#include "framework/tfbrowse.h"

#include <QAction>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace vidoraw {

ContractInfo ContractOf(AppContext& app, const QString& contractCode) {
    ContractInfo c;
    QStringList v;
    if (contractCode.trimmed().isEmpty() ||
        !LookupFields(app, module::kZmluva, QStringLiteral("KOD"), {contractCode.trimmed()},
                      {QStringLiteral("CISZML"), QStringLiteral("ICOPOI"), QStringLiteral("KODPOI")},
                      v))
        return c;
    c.number = v.value(0);
    c.ico = v.value(1);
    c.insurer = v.value(2);
    if (!c.insurer.trimmed().isEmpty() &&
        LookupFields(app, module::kPoist, QStringLiteral("CPOI"), {c.insurer},
                     {QStringLiteral("NAZOV"), QStringLiteral("MAIL")}, v)) {
        c.insurerName = v.value(0);
        c.insurerMail = v.value(1);
    }
    return c;
}

TfFakturad::TfFakturad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eCisfak = rows().addRow(QStringLiteral("Číslo faktúry:"), 10, 12);
    eObdmm = rows().newEdit(2, 3);
    eObdrr = rows().newEdit(4, 5);
    auto* period = new QHBoxLayout;
    period->addWidget(eObdmm);
    period->addWidget(new QLabel(QStringLiteral(".")));
    period->addWidget(eObdrr);
    period->addStretch();
    rows().addRow(QStringLiteral("Účtovné obdobie:"), period);
    eKodzml = rows().addRow(QStringLiteral("Zmluva:"), 0, 8);
    eCiszml = rows().addRow(QStringLiteral("Číslo zmluvy:"), 25);
    FormRows::makeDisplayOnly(eCiszml);
    eIcopoi = rows().addRow(QStringLiteral("IČO:"), 10, 12);
    FormRows::makeDisplayOnly(eIcopoi);
    eKodpoi = rows().newEdit(4, 6);
    eNazovpoi = rows().newEdit(40, 24);
    FormRows::makeDisplayOnly(eKodpoi);
    FormRows::makeDisplayOnly(eNazovpoi);
    rows().addPairRow(QStringLiteral("Poisťovňa:"), eKodpoi, QString(), eNazovpoi);
    finishLayout();

    bind(eCisfak, QStringLiteral("CISFAK"));
    bind(eObdmm, QStringLiteral("OBDMM"));
    bind(eObdrr, QStringLiteral("OBDRR"));
    bind(eKodzml, QStringLiteral("KODZML"));
    checkedFields = {eCisfak, eObdmm, eObdrr, eKodzml};
    onPickKeys(eKodzml, [this] {
        showContract(LookupOrPick(this->app(), module::kZmluva, "KOD", "CISZML", PickMode::Pick,
                                  eCiszml, eKodzml));
    });

    const QList<FieldDef> calculated = {{QStringLiteral("CISZML"), 'A', 25},
                                        {QStringLiteral("KODPOI"), 'A', 4},
                                        {QStringLiteral("NAZOVPOI"), 'A', 40},
                                        {QStringLiteral("ICOPOI"), 'A', 10}};
    for (const FieldDef& f : calculated)
        table_.addCalcField(f);
    table_.setCalcHandler([this](Table& t) {
        const ContractInfo c = ContractOf(this->app(), t.field(QStringLiteral("KODZML")).asString());
        t.field(QStringLiteral("CISZML")).setAsString(c.number);
        t.field(QStringLiteral("KODPOI")).setAsString(c.insurer);
        t.field(QStringLiteral("NAZOVPOI")).setAsString(c.insurerName);
        t.field(QStringLiteral("ICOPOI")).setAsString(c.ico);
    });
    DefineList();
}

TableSchema TfFakturad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},  {"CISFAK", 'A', 10}, {"OBDMM", 'A', 2},
                {"OBDRR", 'A', 4}, {"KODZML", 'F', 0}, {"CIASTKA", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("ObdrrObdmm", {"OBDRR", "OBDMM"}, true),
                 IndexDef::Secondary("Kodzml", {"KODZML"}, true),
                 IndexDef::Secondary("Cisfak", {"CISFAK"}, true)};
    return s;
}

void TfFakturad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "CISFAK", "KODZML", "OBDRR;OBDMM"};
    list.orderTitles = {"Kód", "Číslo faktúry", "Kód zmluvy", "Obdobie"};
    list.searchLabels = {"Kód:", "Číslo faktúry:", "Kód zmluvy:", "Rok:;Mesiac:"};
    list.printFields = {"KOD", "CISFAK", "OBDMM", "OBDRR"};
    list.printTitles = {"Kód", "Číslo faktúry", "Mesiac", "Rok"};
    list.listTitle = QStringLiteral("Zoznam faktúr pre poisťovne");
    list.printHeading = {list.listTitle};
    list.finish();
}

int TfFakturad::AddRecord() {
    showContract(false);
    return TfDbForm::AddRecord();
}

void TfFakturad::LoadFields() {
    TfDbForm::LoadFields();
    showContract(true);
}

void TfFakturad::showContract(bool found) {
    const ContractInfo c = found ? ContractOf(app(), eKodzml->text()) : ContractInfo{};
    eCiszml->setText(c.number);
    eIcopoi->setText(c.ico);
    eKodpoi->setText(c.insurer);
    eNazovpoi->setText(c.insurerName);
}

bool TfFakturad::checkOnLeave(QWidget* control) {
    // The year is checked on OK only.
    if (control == eObdrr)
        return true;
    return TfDbForm::checkOnLeave(control);
}

bool TfFakturad::checkField(QWidget* control) {
    auto wholeIn = [this](QLineEdit* edit, int low, int high, const QString& outside) {
        QString text = trimmedText(edit);
        qint64 value = 0;
        if (!IsIntegerText(text) || !IntegerFromText(text, value)) {
            complain(QStringLiteral("Nesprávne celé číslo!"));
            return false;
        }
        if (value < low || value > high) {
            complain(outside);
            return false;
        }
        return true;
    };
    if (control == eCisfak) {
        const QString number = trimmedText(eCisfak);
        if (number.isEmpty()) {
            ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Číslo faktúry nesmie byť prázdne!"),
                       NoticeKind::Information, this);
            return false;
        }
        if (isDuplicate(QStringLiteral("CISFAK"), number)) {
            complain(QStringLiteral("Duplicitné číslo faktúry!"));
            return false;
        }
    } else if (control == eObdmm) {
        return wholeIn(eObdmm, 1, 12, QStringLiteral("Mesiac je mimo interval 1-12!"));
    } else if (control == eObdrr) {
        return wholeIn(eObdrr, 1900, 9999, QStringLiteral("Rok je mimo interval 1900-9999!"));
    } else if (control == eKodzml) {
        trimmedText(eKodzml);
        const bool found = LookupOrPick(app(), module::kZmluva, "KOD", "CISZML", PickMode::LookUp,
                                        eCiszml, eKodzml);
        showContract(found);
        return found;
    }
    return true;
}

bool TfFakturad::removeCurrentRecord() {
    const qint64 code = table_.field(codeField).asInteger();
    QString error;
    if (!DeleteInvoiceBatches(app(), code, &error))
        return false;
    return table_.remove();
}

QList<QAction*> TfFakturad::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    out << separator;
    auto add = [&](const QString& text, const QString& hint, void (TfFakturad::*run)(TfBrowse*),
                   bool needsRecord) {
        auto* a = new QAction(text, parent);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, [this, browser, run, needsRecord] {
            if (needsRecord && IsTableEmpty(table_))
                return;
            (this->*run)(browser);
        });
        out << a;
    };
    add(QStringLiteral("Zozna&m dávok"), QString(), &TfFakturad::BatchList, true);
    add(QStringLiteral("&Sumár faktúry"), QStringLiteral("Vytlačí sumár faktúry"),
        &TfFakturad::PrintSummary, true);
    add(QStringLiteral("Sp&rievodný protokol"), QStringLiteral("Vytlačí sprievodný protokol"),
        &TfFakturad::PrintProtocol, true);
    add(QStringLiteral("Š&tatistika obdobia"), QStringLiteral("Zobrazí štatistiku za obdobie"),
        &TfFakturad::PeriodStatistics, true);
    add(QStringLiteral("Hromadné &vymazanie"), QStringLiteral("Umožní vymazať interval faktúr"),
        &TfFakturad::BulkDelete, false);
    return out;
}

void TfFakturad::BatchList(TfBrowse* browser) {
    TfZoznamDavok dialog(app(), table_.field(codeField).asInteger(), browser);
    dialog.showModal();
    if (browser)
        browser->RefreshStep();
}

void TfFakturad::PrintSummary(TfBrowse* browser) {
    const qint64 code = table_.field(codeField).asInteger();
    RunReport(
        app().reports,
        [this, code](ReportWriter&, const QString& fileName) {
            return PrintInvoiceSummary(app(), code, fileName);
        },
        browser);
}

void TfFakturad::PrintProtocol(TfBrowse* browser) {
    const qint64 code = table_.field(codeField).asInteger();
    RunReport(
        app().reports,
        [this, code](ReportWriter&, const QString& fileName) {
            return PrintBatchProtocol(app(), code, fileName);
        },
        browser);
}

void TfFakturad::PeriodStatistics(TfBrowse* browser) {
    qint64 m = 0, y = 0;
    IntegerFromText(table_.field(QStringLiteral("OBDMM")).asString(), m);
    IntegerFromText(table_.field(QStringLiteral("OBDRR")).asString(), y);
    int month = int(m), year = int(y);
    if (!AskMonthYear(app(), month, year))
        return;
    year = std::clamp(year, 1990, 2100);
    const PeriodCounts counts = CountPeriod(app(), month, year);
    ShowPeriodStatistics(app(), counts, browser);
}

void TfFakturad::BulkDelete(TfBrowse* browser) {
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : this;
    qint64 from = 0, to = 0;
    if (!AskCodeRange(app(), from, to))
        return;
    const QString range = QString::number(from) + '-' + QString::number(to);
    if (AskConfirm(QStringLiteral("Mám vymazať faktúry s kódom v intervale: ") + range + '?', owner) != 1 ||
        AskConfirm(QStringLiteral("Mám naozaj vymazať faktúry s kódom v intervale: ") + range + '?',
                   owner) != 1)
        return;
    // A cursor of its own in the list's order; each invoice goes with its batches and
    // vouchers in one transaction.
    Table invoices(table_.database(), table_.tableName());
    int deleted = 0;
    QString error;
    if (invoices.open() && invoices.setOrder(QStringLiteral("KOD"))) {
        QList<qint64> codes;
        for (invoices.first(); !invoices.eof(); invoices.next()) {
            const qint64 code = invoices.field(codeField).asInteger();
            if (code >= from && code <= to)
                codes << code;
        }
        for (qint64 code : codes) {
            WriteLock lock(*invoices.database());
            if (!lock.ok()) {
                error = lock.error();
                break;
            }
            if (!invoices.findKey({code}))
                continue;
            if (!DeleteInvoiceBatches(app(), code, &error) || !invoices.remove()) {
                if (error.isEmpty())
                    error = invoices.lastError();
                break;
            }
            if (!lock.commit()) {
                error = lock.error();
                break;
            }
            ++deleted;
        }
    }
    if (!error.isEmpty())
        ShowNotice(QStringLiteral("Chyba!"), error, NoticeKind::Error, owner);
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Vymazávanie ukončené. Vymazali sme %1 záznamov!").arg(deleted),
               NoticeKind::Information, owner);
    if (browser)
        browser->RefreshStep();
}

} // namespace vidoraw
