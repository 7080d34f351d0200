#pragma once
// A shop that writes invoices: the owner's invoicing parameters, the code lists an invoice
// refers to, a VAT change between two years and two customers.
#include "invoicingfixture.h"
#include "core/base/numbertext.h"
#include "core/values.h"
#include "framework/dependentrows.h"
#include "invoicing/fakd.h"
#include "invoicing/pold.h"

namespace vidoraw::test {

// Rates 0, 19, 19 from 2004; 0, 10, 20 from 2011; 5, 19, 23 from 2025.
inline void SeedInvoicing(InvoicingFixture& f, const QList<std::pair<QString, QVariant>>& owner = {}) {
    QVERIFY(f.addRow(30, {{"KOD", "1"}, {"ROK", "2004"}, {"MESIAC", "1"}, {"SADZBA1", "0"},
                          {"SADZBA2", "19"}, {"SADZBA3", "19"}}));
    QVERIFY(f.addRow(30, {{"KOD", "2"}, {"ROK", "2011"}, {"MESIAC", "1"}, {"SADZBA1", "0"},
                          {"SADZBA2", "10"}, {"SADZBA3", "20"}}));
    QVERIFY(f.addRow(30, {{"KOD", "3"}, {"ROK", "2025"}, {"MESIAC", "1"}, {"SADZBA1", "5"},
                          {"SADZBA2", "19"}, {"SADZBA3", "23"}}));
    QVERIFY(f.addRow(29, {{"KOD", "1"}, {"NAZOV", "Všeobecná banka"}, {"POBOCKA", "Nitra"},
                          {"UCET", "VUB1"}, {"CISUCET", "1234567"}, {"KODBAN", "0200"},
                          {"PBN", "B"}}));
    QVERIFY(f.addRow(38, {{"KOD", "1"}, {"KODKS", "0308"}, {"NAZOV", "Tovar"}}));
    QVERIFY(f.setFields(37, 1, {{"POUZI", "B"}, {"PREFIX", "2010/"}, {"POCITADLO", "7"},
                                {"POCMIEST", "3"}}));
    QVERIFY(f.addRow(21, {{"KOD", "1"}, {"NAZOV", "Optika Sever s.r.o."}, {"ICO", "0012345"},
                          {"ULICA", "Hlavná"}, {"CISLO", "12"}, {"OBEC", "Nitra"},
                          {"PSC", "94901"}, {"DODPOSTA", "Nitra 1"}, {"DICO", "2020111222"},
                          {"DICON", "2020111222"}, {"ICDPH", "SK2020111222"}}));
    QVERIFY(f.addRow(21, {{"KOD", "2"}, {"NAZOV", "Zrak a.s."}, {"ICO", "35697270"},
                          {"OBEC", "Žilina"}, {"PSC", "01001"}, {"DODPOSTA", "Žilina 1"}}));
    QList<std::pair<QString, QVariant>> values{
        {"NAZOV", "Očná optika Lúč"}, {"ICO", "31234567"}, {"PLATCADAN", "A"},
        {"DICO", "1020304050"},       {"DICON", "1020304050"}, {"ICDPH", "SK1020304050"},
        {"KS", "0308"},              {"UCET", "VUB1"},      {"KODD", "1"},
        {"KODU", "1"},               {"MENA", "Sk"},        {"SPLAT", "14"},
        {"PDM", "2"},                {"PDMZ", "2"},         {"KODZAOK", "1"},
        {"DOLNYOKRAJ", "0"},          {"POSUNXF", "0"},      {"POSUNYF", "0"}};
    for (const auto& v : owner) {
        bool replaced = false;
        for (auto& w : values)
            if (w.first == v.first) {
                w.second = v.second;
                replaced = true;
            }
        if (!replaced)
            values << v;
    }
    QVERIFY(WriteOwnerFields(f.app, values));
}

// "text|quantity|unit|price|rate" per line, amounts computed as the editor does.
inline QList<InvoiceItem> ItemLines(const ItemFormat& format, const QStringList& lines) {
    QList<InvoiceItem> items;
    for (const QString& l : lines) {
        const QStringList c = l.split(u'|');
        InvoiceItem item;
        item.text = c.value(0);
        item.quantity = c.value(1);
        item.unit = c.value(2);
        item.price = c.value(3);
        item.rate = format.vatPayer ? c.value(4) : QString();
        ComputeLineAmount(item, format);
        items << item;
    }
    return items;
}

// An invoice row straight into FAK.DB, with its lines into POL.DB.
inline void AddStoredInvoice(InvoicingFixture& f, qint64 code, const QString& number,
                             const QString& ico, const QString& supplyDate,
                             const QStringList& lines, const QList<QPair<QString, QString>>& more = {}) {
    QVERIFY(f.addRow(35, QList<QPair<QString, QString>>{{"KOD", QString::number(code)},
                                                         {"CISFAKTU", number},
                                                         {"ICO_ODBA", ico},
                                                         {"KDEODB", "0"},
                                                         {"TYP", "F"},
                                                         {"MENA", "Sk"},
                                                         {"UCET_DOD", "VUB1"},
                                                         {"KONSTS", "0308"},
                                                         {"SP_DOPR", "1"},
                                                         {"FORMA_UHR", "1"},
                                                         {"DAT_VYS", supplyDate},
                                                         {"DAT_SPL", supplyDate},
                                                         {"DAT_PLN", supplyDate}} +
                             more));
    static qint64 nextLine = 1000;
    for (const QString& l : lines) {
        const QStringList c = l.split(u'|');
        QVERIFY(f.addRow(36, {{"KOD", QString::number(++nextLine)},
                              {"KODH", QString::number(code)},
                              {"TEXT", c.value(0)},
                              {"MNOZSTVO", c.value(1)},
                              {"MJ", c.value(2)},
                              {"CENA", c.value(3)},
                              {"DPH", c.value(4)},
                              {"SPOLU", c.value(5)}}));
    }
}

} // namespace vidoraw::test
