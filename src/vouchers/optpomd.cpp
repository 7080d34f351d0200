#include "vouchers/optpomd.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfbrowse.h"
#include "vouchers/aidcode.h"

#include <QAction>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace vidoraw {

TfOptpomd::TfOptpomd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eKodpom = rows().addRow(QStringLiteral("Kód pomôcky:"), 5, 7);
    eNazov = rows().addRow(QStringLiteral("Názov:"), 50);
    eDoplnok = rows().addRow(QStringLiteral("Doplnok:"), 80, 50);
    eMj = rows().addRow(QStringLiteral("MJ:"), 3, 5);
    eVyrobca = rows().addRow(QStringLiteral("Výrobca:"), 3, 5);
    eKrajina = rows().addRow(QStringLiteral("Krajina:"), 3, 5);
    eObmedz = rows().addRow(QStringLiteral("Obmedzenie:"), 50);
    eObmedz1 = rows().addRow(QString(), 50);
    eCenamf = rows().addRow(QStringLiteral("Cena MF:"), 20, 12);
    eCenapoi = rows().addRow(QStringLiteral("Cena POI:"), 20, 12);
    eCena = rows().addRow(QStringLiteral("Cena:"), 20, 12);
    eDph = rows().addRow(QStringLiteral("DPH:"), 5, 5);
    for (QLineEdit* e : {eCenamf, eCenapoi, eCena, eDph})
        e->setAlignment(Qt::AlignRight);
    finishLayout();

    bind(eKodpom, QStringLiteral("KODPOM"));
    bind(eNazov, QStringLiteral("NAZOV"));
    bind(eDoplnok, QStringLiteral("DOPLNOK"));
    bind(eMj, QStringLiteral("MJ"));
    bind(eVyrobca, QStringLiteral("VYROBCA"));
    bind(eKrajina, QStringLiteral("KRAJINA"));
    bind(eObmedz, QStringLiteral("OBMEDZ"));
    bind(eObmedz1, QStringLiteral("OBMEDZ1"));
    bind(eCenamf, QStringLiteral("CENAMF"));
    bind(eCenapoi, QStringLiteral("CENAPOI"));
    bind(eCena, QStringLiteral("CENA"));
    bind(eDph, QStringLiteral("DPH"));
    checkedFields = {eKodpom, eCenamf, eCenapoi, eCena, eDph};
    filtersAllowed = true;
    DefineList();
}

TableSchema TfOptpomd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},      {"KODPOM", 'A', 5},   {"NAZOV", 'A', 50},
                {"DOPLNOK", 'A', 80}, {"REZERVA", 'I', 0},  {"MJ", 'A', 3},
                {"VYROBCA", 'A', 3},  {"KRAJINA", 'A', 3},  {"OBMEDZ", 'A', 50},
                {"OBMEDZ1", 'A', 50}, {"DOBA", 'A', 10},    {"KATEG", 'A', 1},
                {"JKPOV", 'A', 15},   {"ODBORKOD", 'A', 7}, {"DATUMPZ", 'D', 0},
                {"MODIF", 'A', 4},    {"CENAMF", 'F', 0},   {"CENAPOI", 'F', 0},
                {"CENA", 'F', 0},     {"DPH", 'I', 0},      {"CENAN", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Nazov", {"NAZOV"}, true),
                 IndexDef::Secondary("Kodpom", {"KODPOM"}, true)};
    return s;
}

void TfOptpomd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "KODPOM", "NAZOV"};
    list.orderTitles = {"Kód", "Kód pomôcky", "Názov"};
    list.printFields = {"KOD", "KODPOM", "NAZOV", "DOPLNOK"};
    list.printTitles = {"Kód", "Kód pom.", "Názov", "Doplnok"};
    list.listTitle = QStringLiteral("Zoznam optických pomôcok");
    list.printHeading = {list.listTitle};
    list.finish();
}

QList<QAction*> TfOptpomd::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    auto* hellers = new QAction(QStringLiteral("Od&stráň haliere"), parent);
    hellers->setStatusTip(QStringLiteral("Odstráni desatinnú časť z ceny pre poisťovne"));
    connect(hellers, &QAction::triggered, this, [this, browser] { RemoveHellers(browser); });
    // The printed list of aids comes with the billing reports.
    auto* report = new QAction(QStringLiteral("&Zostava"), parent);
    report->setStatusTip(QStringLiteral("Zostava optických pomôcok vo formáte A4"));
    report->setEnabled(false);
    out << separator << hellers << report;
    return out;
}

void TfOptpomd::RemoveHellers(TfBrowse* browser) {
    QWidget* owner = browser ? static_cast<QWidget*>(browser) : this;
    if (AskConfirm(QStringLiteral("Mám naozaj odstrániť desatinnú čast z ceny pre poisťovne?"),
                   owner) != 1)
        return;
    if (!OpenTable())
        return;
    // A cursor of its own: the list keeps its order, filter and current record. Every record
    // counts, whatever the list shows.
    Database* db = table_.database();
    // One transaction: a failure half way leaves every price as it was.
    WriteLock lock(*db);
    Table prices(db, table_.tableName());
    bool ok = lock.ok() && prices.open() && prices.setOrder(QStringLiteral("KOD"));
    QList<qint64> rows;
    if (ok)
        for (prices.first(); !prices.eof(); prices.next())
            rows << prices.bookmark();
    for (qint64 row : rows) {
        if (!ok)
            break;
        ok = prices.gotoBookmark(row);
        if (!ok || prices.field(QStringLiteral("CENA")).isNull())
            continue;
        const double price = prices.field(QStringLiteral("CENA")).asFloat();
        const double whole = std::trunc(price) + 0.0; // -0.5 becomes 0, not -0
        if (whole == price)
            continue;
        ok = prices.edit() && prices.field(QStringLiteral("CENA")).setValue(whole) && prices.post();
    }
    ok = ok && lock.commit();
    if (!ok) {
        prices.cancel();
        lock.rollback();
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, owner);
    }
    const qint64 at = table_.bookmark();
    table_.refresh();
    (void)table_.gotoBookmark(at);
    if (browser)
        browser->RefreshStep();
    if (ok)
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Operácia ukončená."),
                   NoticeKind::Information, owner);
}

bool TfOptpomd::checkField(QWidget* control) {
    if (control == eKodpom) {
        // The list keeps the insurers' codes as they are published: five digits, typed whole.
        const QString code = trimmedText(eKodpom);
        if (code.size() != 5) {
            complain(QStringLiteral("Kód pomôcky musí mať 5 číslic!"));
            return false;
        }
        if (!IsDigitsOnly(code)) {
            complain(QStringLiteral("Kód pomôcky musí byť tvorený číslicami, t.j. znakmi 0-9 !"));
            return false;
        }
        if (isDuplicate(QStringLiteral("KODPOM"), code)) {
            complain(QStringLiteral("Duplicitný kód pomôcky!"));
            return false;
        }
        return true;
    }
    if (control == eCenamf || control == eCenapoi || control == eCena)
        return checkPrice(static_cast<QLineEdit*>(control));
    if (control == eDph)
        return checkVatRate();
    return true;
}

bool TfOptpomd::checkPrice(QLineEdit* edit) {
    // "12.50" and "12,50" are the same price.
    const QString text = NormalizeDecimal(edit->text().trimmed());
    if (text != edit->text())
        edit->setText(text);
    return CheckDecimal(text, edit);
}

bool TfOptpomd::checkVatRate() {
    const QString text = NormalizeDecimal(eDph->text().trimmed());
    if (text != eDph->text())
        eDph->setText(text);
    if (!CheckInteger(text, eDph))
        return false;
    qint64 rate = 0;
    (void)IntegerFromText(text, rate);
    const std::array<int, 3>& rates = app().vatRates;
    if (std::find(rates.begin(), rates.end(), rate) != rates.end())
        return true;
    complain(QStringLiteral("Neprípustná hodnota dane. Použite jednu z nasledovných možností: "
                            "%1, %2, %3!")
                 .arg(rates[0])
                 .arg(rates[1])
                 .arg(rates[2]));
    return false;
}

} // namespace vidoraw
