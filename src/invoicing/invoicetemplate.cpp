#include "invoicing/invoicetemplate.h"

#include "core/values.h"
#include "framework/tfdbform.h"
#include "invoicing/invoiceprint.h"
#include "reports/reporttemplates.h"
#include "reports/reportwriter.h"

namespace vidoraw {

namespace {

QString Joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(u' ');
}

QString Number(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The first line of page (1-based) and how many lines the page holds.
std::pair<int, int> PageLines(int page) {
    if (page == 1)
        return {0, kTemplateFirstLines};
    return {kTemplateFirstLines + (page - 2) * kTemplateFurtherLines, kTemplateFurtherLines};
}

} // namespace

int TemplatePages(int lines) {
    if (lines <= kTemplateFirstLines)
        return 1;
    return 1 + (lines - kTemplateFirstLines + kTemplateFurtherLines - 1) / kTemplateFurtherLines;
}

QList<std::pair<QString, QString>> TemplatePageValues(const InvoicePrintData& d, int page,
                                                      int pages, const QString& issuer) {
    QList<std::pair<QString, QString>> v;
    auto put = [&](const QString& name, const QString& value) { v.append({name, value}); };
    auto o = [&](const char* f) { return d.owner.value(QString::fromLatin1(f)); };
    auto c = [&](const char* f) { return d.customer.value(QString::fromLatin1(f)); };
    auto inv = [&](const char* f) { return d.invoice.value(QString::fromLatin1(f)); };
    const ItemFormat& fmt = d.format;
    const QString mena = inv("MENA");
    const bool last = page == pages;

    if (page == 1) {
        put("XXX_FIRMADOD", o("NAZOV"));
        put("XXX_ICODOD", o("ICO"));
        put("XXX_ICDPHDOD", o("ICDPH"));
        put("XXX_DICDOD", o("DICON"));
        put("XXX_MENODOD", JoinName(o("TITUL"), o("MENO"), o("PRIEZVISK")));
        put("XXX_ADR1DOD", Joined({o("ULICA"), o("CISLO")}));
        put("XXX_ADR2DOD", o("OBEC"));
        put("XXX_ADR3DOD", Joined({o("PSC"), o("DODPOSTA")}));
        put("XXX_ADR4DOD", o("STAT"));
        put("XXX_REGCISLO", o("REGCISLO"));
        put("XXX_FAKTURADOBROPIS", d.creditNote ? "DOBROPIS" : "FAKTÚRA");
        put("XXX_CISLOFD", d.creditNote ? "Dobropis č." : "Faktúra č.");
        put("XXX_CISFAKTU", inv("CISFAKTU"));
        put("XXX_KONSTS", inv("KONSTS"));
        const QString ico = inv("ICO_ODB").trimmed();
        put("XXX_ICOODB", ico.size() >= 6 ? ico : QString());
        put("XXX_FIRMAODB", c("NAZOV"));
        put("XXX_MENOODB", JoinName(c("TITUL"), c("MENO"), c("PRIEZVISK")));
        put("XXX_ADR1ODB", c("ULICA") + u' ' + c("CISLO"));
        put("XXX_ADR2ODB", c("OBEC"));
        put("XXX_ADR3ODB", c("PSC") + u' ' + c("DODPOSTA"));
        put("XXX_ADR4ODB", c("STAT"));
        put("XXX_DICODB", c("DICON"));
        put("XXX_ICDPHODB", c("ICDPH"));
        put("XXX_DATVYS", inv("DAT_VYS"));
        put("XXX_DATSPL", inv("DAT_SPL"));
        put("XXX_DATDOD", inv("DAT_PLN"));
        put("XXX_DATPLN", inv("DAT_PLN"));
        put("XXX_FORMAUHR", d.paymentForm);
        put("XXX_BANKA", d.account.value("NAZOV") + u' ' + d.account.value("POBOCKA"));
        put("XXX_UCET", d.account.value("CISUCET") + u'/' + d.account.value("KODBAN"));
        put("XXX_SWIFT", d.account.value("BICSWIFT"));
        put("XXX_IBAN", d.account.value("IBAN"));
        put("XXX_VYSTAVIL", issuer);
    }
    put("XXX_STRANA", pages > 1 ? QStringLiteral("Strana: %1/%2").arg(page).arg(pages) : QString());

    // Lines of the page, and the running sums of every line printed so far.
    long double amount = 0, base = 0, tax = 0;
    const auto [first, count] = PageLines(page);
    const int upTo = std::min<int>(first + count, int(d.items.size()));
    for (int i = 0; i < upTo; ++i) {
        const InvoiceItem& item = d.items[i];
        if (IsTextOnly(item, fmt))
            continue;
        const long double lineAmount = CellNumber(item.amount);
        amount += lineAmount;
        base += lineAmount;
        tax += lineAmount * CellNumber(item.rate) / 100;
    }
    const QStringList lineFields{"XXX_POPIS", "XXX_MNOZSTVO", "XXX_MJ",    "XXX_JC",    "XXX_1JC",
                                 "XXX_PERC",  "XXX_SPOLU",    "XXX_DPHJC", "XXX_SPOLJC"};
    for (int n = 1; n <= count; ++n) {
        const int row = first + n - 1;
        const QString nn = Number(n);
        QHash<QString, QString> cell;
        if (row < d.items.size()) {
            const InvoiceItem& item = d.items[row];
            cell.insert("XXX_POPIS", item.text);
            if (!IsTextOnly(item, fmt)) {
                cell.insert("XXX_MNOZSTVO", item.quantity);
                cell.insert("XXX_MJ", item.unit);
                cell.insert("XXX_JC", item.price);
                cell.insert("XXX_SPOLU", item.amount);
                if (d.vatPayer) {
                    const long double rate = CellNumber(item.rate);
                    const long double price = CellNumber(item.price);
                    if (item.rate.trimmed() != QLatin1String("0"))
                        cell.insert("XXX_1JC", item.price);
                    cell.insert("XXX_PERC", item.rate);
                    const long double vatPerUnit =
                        RoundDecimals(price * rate / 100, fmt.roundDecimals);
                    if (vatPerUnit != 0)
                        cell.insert("XXX_DPHJC", fmt.show(vatPerUnit));
                    // The line with its VAT.
                    const long double gross = RoundDecimals(
                        CellNumber(item.quantity) * price * (rate + 100) / 100, fmt.roundDecimals);
                    if (gross != 0)
                        cell.insert("XXX_SPOLJC", fmt.show(gross));
                }
            }
        }
        for (const QString& f : lineFields)
            put(f + nn, cell.value(f));
    }

    const long double total = CellNumber(d.total);
    const bool totals = page == 1 || last;
    if (!d.vatPayer) {
        // The first and the last page show the total and what its rounding added to the lines.
        long double all = 0;
        for (const InvoiceItem& item : d.items)
            if (!IsTextOnly(item, fmt))
                all += CellNumber(item.amount);
        put("XXX_MENA", mena);
        put("XXX_CIASTKA", fmt.show(totals ? total : amount));
        put("XXX_ZAOKRUH", totals ? fmt.show(total - all) : QString());
    } else {
        put("XXX_MSZAKLAD", fmt.show(base));
        put("XXX_MSDAN", fmt.show(tax));
        put("XXX_MSMENA", mena);
        if (totals) {
            const RecapTexts& r = d.recap;
            for (int k = 0; k < 3; ++k) {
                put(QStringLiteral("XXX_PERC%1").arg(k + 1), QString::number(d.rates[k]));
                put(QStringLiteral("XXX_BEZDANE%1").arg(k + 1), r.base(k));
                put(QStringLiteral("XXX_DAN%1").arg(k + 1), r.tax(k));
            }
            put("XXX_BEZDANESPOLU", r.base(3));
            put("XXX_DANSPOLU", r.tax(3));
            put("XXX_MENA", mena);
            put("XXX_ZAOKRUH", fmt.show(total - CellNumber(r.base(3)) - CellNumber(r.tax(3))));
            put("XXX_CIASTKA", fmt.show(total));
        }
    }

    if (page > 1) {
        if (last) {
            put("XXX_LPP", "Počet príloh:");
            put("XXX_PP", "0");
            put("XXX_LVYSTAVIL", "Vystavil:");
            put("XXX_VYSTAVIL", issuer);
            put("XXX_CFVS", "Číslo faktúry uvádzajte ako variabilný symbol");
            put("XXX_PAP", "Pečiatka a podpis");
            put("XXX_CELKOM", "Celkom:");
            put("XXX_CVDPH", "Čiastka vrátane dane z pridanej hodnoty:");
            if (d.vatPayer) {
                const char* labels[][2] = {{"XXX_LOSLOBODENE", "Oslobodené od DPH"},
                                           {"XXX_LCENABD", "Cena bez dane:"},
                                           {"XXX_LDPH", "DPH:"},
                                           {"XXX_LSADZBAD", "Sadzba dane:"},
                                           {"XXX_LSPOLU", "S P O L U:"},
                                           {"XXX_LZAOKRUH", "Zaokrúhlenie:"},
                                           {"XXX_LPERC", "%"},
                                           {"XXX_LCKU", "Celkom k úhrade:"},
                                           {"XXX_LMCENABD", "Cena bez dane:"},
                                           {"XXX_LMDPH", "DPH:"},
                                           {"XXX_LMSADZBAD", "Sadzba dane:"}};
                for (const auto& l : labels) {
                    const QString name = QString::fromLatin1(l[0]);
                    // The first level is the exempt one only while its rate is 0 %.
                    if (name == QLatin1String("XXX_LOSLOBODENE") && d.rates[0] != 0)
                        put(name, QStringLiteral("Sadzba dane: %1 %").arg(d.rates[0]));
                    else
                        put(name, QString::fromUtf8(l[1]));
                }
            }
        } else {
            for (const char* empty : {"XXX_LPP", "XXX_PP", "XXX_LVYSTAVIL", "XXX_VYSTAVIL",
                                      "XXX_CFVS", "XXX_PAP"})
                put(QString::fromLatin1(empty), QString());
            if (d.vatPayer) {
                for (const char* empty : {"XXX_LOSLOBODENE", "XXX_LCENABD", "XXX_LDPH",
                                          "XXX_LSADZBAD", "XXX_LSPOLU", "XXX_LZAOKRUH",
                                          "XXX_LPERC", "XXX_LCKU"})
                    put(QString::fromLatin1(empty), QString());
                put("XXX_LMCENABD", "Cena bez dane:");
                put("XXX_LMDPH", "DPH:");
                put("XXX_LMSADZBAD", "MEDZISÚČET:");
                put("XXX_BEZDANE3", fmt.show(base));
                put("XXX_DAN3", fmt.show(tax));
                for (const char* empty : {"XXX_PERC1", "XXX_PERC2", "XXX_PERC3", "XXX_BEZDANE1",
                                          "XXX_BEZDANE2", "XXX_BEZDANESPOLU", "XXX_DAN1",
                                          "XXX_DAN2", "XXX_DANSPOLU", "XXX_MENA", "XXX_ZAOKRUH",
                                          "XXX_CIASTKA", "XXX_CELKOM", "XXX_CVDPH"})
                    put(QString::fromLatin1(empty), QString());
            } else {
                put("XXX_CELKOM", "Medzisúčet:");
                put("XXX_CVDPH", QString());
            }
        }
    }
    return v;
}

bool PrintInvoiceFromTemplate(AppContext& app, qint64 invoiceCode, const QString& mode,
                              const QString& fileName) {
    InvoicePrintData d;
    if (!ReadInvoiceForPrint(app, invoiceCode, d))
        return false;
    const int pages = TemplatePages(int(d.items.size()));
    const QString prefix = d.vatPayer ? QStringLiteral("fadph") : QStringLiteral("fa");
    QStringList single, first, further;
    if (pages == 1) {
        if (!LoadTemplate(prefix + QStringLiteral("1.dsz"), single))
            return false;
    } else if (!LoadTemplate(prefix + QStringLiteral("12.dsz"), first) ||
               !LoadTemplate(prefix + QStringLiteral("2.dsz"), further)) {
        return false;
    }
    QString issuer;
    QStringList user;
    if (LookupFields(app, module::kUziv, QStringLiteral("KOD"), {1.0},
                     {QStringLiteral("TITUL"), QStringLiteral("MENO"), QStringLiteral("PRIEZVISK")},
                     user))
        issuer = JoinName(user[0], user[1], user[2]);
    double dx = 0, dy = 0;
    DecimalFromText(d.owner.value("POSUNXF"), dx);
    DecimalFromText(d.owner.value("POSUNYF"), dy);

    ReportWriter& w = app.reports;
    const bool whole = mode != QLatin1String("A");
    if (whole && !w.ReportBegin(fileName))
        return false;
    bool ok = true;
    for (int page = 1; page <= pages && ok; ++page) {
        QStringList lines = pages == 1 ? single : page == 1 ? first : further;
        ReportShift(lines, dx, dy);
        FillPlaceholders(lines, TemplatePageValues(d, page, pages, issuer), true);
        if (page > 1)
            w.ReportNewPage();
        ok = w.output() == ReportOutput::File ? w.ReportWriteLines(lines, false)
                                              : w.ReportPlay(lines, TemplateDirectory());
    }
    if (whole)
        return w.ReportEnd() && ok;
    return ok;
}

} // namespace vidoraw
