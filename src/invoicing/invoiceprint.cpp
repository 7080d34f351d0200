#include "invoicing/invoiceprint.h"

#include "core/base/numbertext.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/tfdbform.h"
#include "invoicing/fakd.h"
#include "invoicing/pold.h"
#include "reports/reportwriter.h"
#include "shell/vlastnikd.h"

#include <cmath>

namespace vidoraw {

namespace {

const QDate kVatNumbersFrom(2004, 5, 1);
constexpr int kLeft = 36, kCentre = 37, kRight = 38;

QHash<QString, QString> Fields(AppContext& app, int module, const QString& order,
                               const QVariant& key, const QStringList& names) {
    QHash<QString, QString> out;
    QStringList values;
    if (LookupFields(app, module, order, {key}, names, values))
        for (int i = 0; i < names.size(); ++i)
            out.insert(names[i], values.value(i));
    return out;
}

QString Joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(u' ');
}

QString Money(long double v) { return FormatFixed(double(v), 2); }

// The drawing of one invoice, every coordinate moved by the owner's shift.
class InvoicePainter {
public:
    InvoicePainter(ReportWriter& w, const InvoicePrintData& d) : w_(w), d_(d) {
        double v = 0;
        dx_ = DecimalFromText(d.owner.value("POSUNXF"), v) ? v : 0;
        dy_ = DecimalFromText(d.owner.value("POSUNYF"), v) ? v : 0;
        const double margin =
            DecimalFromText(d.owner.value("DOLNYOKRAJ"), v) ? v : 0;
        bottom_ = margin;
        e_ = 20 - margin;
        old_ = d.issued.isValid() && d.issued < kVatNumbersFrom;
        mena_ = d.invoice.value("MENA");
        showDm_ = d.invoice.value("ZOBRAZDM").trimmed() == QLatin1String("A");
    }

    void draw() {
        const int n = int(d_.items.size());
        const int c1 = FirstPageLines(bottom_);
        const int c2 = FurtherPageLines(bottom_);
        const int pages = InvoicePages(n, bottom_);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                w_.ReportNewPage();
            if (pages > 1) {
                text(10, 0, 30, 7, 5, true, kRight, QStringLiteral("Strana :"));
                text(32, 0, 52, 7, 5, true, kLeft, QStringLiteral("%1 / %2").arg(page).arg(pages));
            }
            title();
            int first, count;
            double y;
            if (page == 1) {
                firstPage();
                first = 0;
                count = c1;
                y = 113;
            } else {
                box(0, 202 + e_, 195, 230 + e_);
                line(0, 20, 195, 20);
                line(0, 239 + e_, 195, 239 + e_);
                frame(0, 7, 195, 257 + e_);
                heading(7);
                first = c1 + (page - 2) * c2;
                count = c2;
                y = 23;
            }
            for (int i = 0; i < count && first + i < n; ++i)
                itemLine(d_.items[first + i], y + 4.5 * i);
            if (page < pages)
                subtotal();
            else
                totals();
        }
    }

private:
    void text(double x1, double y1, double x2, double y2, double h, bool bold, int format,
              const QString& s) {
        w_.ReportText(w_.ReportFontName(), bold, false, false, false, x1 + dx_, y1 + dy_,
                      x2 + dx_, y2 + dy_, h, kBlack, format, s);
    }
    void line(double x1, double y1, double x2, double y2) {
        w_.ReportLine(kBlack, x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, 0.25);
    }
    void box(double x1, double y1, double x2, double y2) {
        w_.ReportBox(kBlack, kWhite, x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, 0.25);
    }
    void frame(double x1, double y1, double x2, double y2) {
        w_.ReportFrame(kBlack, x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, 0.5);
    }
    QString o(const char* f) const { return d_.owner.value(QString::fromLatin1(f)); }
    QString c(const char* f) const { return d_.customer.value(QString::fromLatin1(f)); }
    QString inv(const char* f) const { return d_.invoice.value(QString::fromLatin1(f)); }

    void title() {
        QString t = d_.creditNote ? QStringLiteral("DOBROPIS") : QStringLiteral("FAKTÚRA");
        if (old_)
            t += QStringLiteral(" - DAŇOVÝ DOKLAD");
        text(0, 0, 190, 7, 5, true, kRight, t);
    }

    void firstPage() {
        box(0, 92, 195, 111);
        line(0, 98, 195, 98);
        box(0, 202 + e_, 195, 230 + e_);
        line(96, 7, 96, 41);
        line(96, 71, 96, 92);
        line(0, 45, 74, 45);
        line(0, 62, 74, 62);
        const double across = showDm_ ? 244 + e_ : 239 + e_;
        line(0, across, 195, across);
        frame(74, 41, 195, 71);
        frame(0, 7, 195, 257 + e_);

        // Supplier
        text(2, 7.75, 40, 12.5, 4.75, true, kLeft,
             old_ ? QStringLiteral("1. Dodávateľ") : QStringLiteral("1. Dodávateľ-platiteľ"));
        text(45, 7.75, 60, 12.5, 4.75, true, kCentre, QStringLiteral("(IČO)"));
        text(65, 7.75, 95, 12.5, 4.75, true, kCentre, o("ICO"));
        text(6, 11.75, 95, 16.5, 4.75, true, kLeft, o("NAZOV"));
        text(6, 16.5, 95, 21.25, 4.75, false, kLeft, JoinName(o("TITUL"), o("MENO"), o("PRIEZVISK")));
        QString street = Joined({o("ULICA"), o("CISLO")});
        if (!street.isEmpty())
            street += u',';
        text(6, 21.25, 95, 26, 4.75, false, kLeft, Joined({street, o("OBEC")}));
        text(6, 26, 95, 30.75, 4.75, false, kLeft, Joined({o("PSC"), o("DODPOSTA")}));
        text(2, 30.75, 40, 35.5, 4.75, true, kLeft, QStringLiteral("Peňažný ústav:"));
        const QString accountNumber =
            d_.account.value("CISUCET") + u'/' + d_.account.value("KODBAN");
        const QString bank = Joined({d_.account.value("NAZOV"), d_.account.value("POBOCKA")});
        if (old_) {
            text(40, 30.75, 95, 35.5, 4.75, false, kLeft, bank);
            text(40, 35.5, 95, 40.25, 4.75, false, kCentre, accountNumber);
            text(2, 40.25, 20, 45, 4.75, true, kCentre, QStringLiteral("(DIČ)"));
            text(20, 40.25, 70, 45, 4.75, true, kCentre, o("DICO"));
        } else {
            text(27, 30.75, 95, 35.5, 4.75, false, kLeft, Joined({accountNumber, bank}));
            text(2, 35.5, 20, 40.25, 4.75, true, kLeft, QStringLiteral("IČ DPH:"));
            text(20, 35.5, 70, 40.25, 4.75, true, kCentre, o("ICDPH"));
            text(2, 40.25, 20, 45, 4.75, true, kLeft, QStringLiteral("DIČ:"));
            text(20, 40.25, 70, 45, 4.75, true, kCentre, o("DICON"));
        }

        // Invoice
        text(98, 7.75, 195, 12.5, 4.75, true, kLeft, QStringLiteral("2. Faktúra"));
        const std::pair<const char*, const char*> rows[] = {{"Číslo faktúry :", "CISFAKTU"},
                                                            {"Konš. symbol :", "KONSTS"},
                                                            {"HZ-obj. číslo :", "CIS_OBJED"},
                                                            {"Dodací list č. :", "CIS_DODL"}};
        double y = 16;
        for (const auto& [label, field] : rows) {
            text(102, y, 140, y + 5, 4.75, true, kRight, QString::fromUtf8(label));
            text(145, y, 195, y + 5, 4.75, false, kLeft, inv(field));
            y += 5;
        }

        // Recipient, transport, customer
        text(2, 45.75, 73, 50.5, 4.75, true, kLeft, QStringLiteral("3. Príjemca"));
        text(6, 50.5, 73, 55.5, 4.75, false, kLeft, c("NAZOV"));
        text(6, 55.5, 73, 60.5, 4.75, false, kLeft, Joined({c("PSC"), c("DODPOSTA")}));
        text(2, 62.75, 73, 67.5, 4.75, true, kLeft, QStringLiteral("7. Spôsob dopravy"));
        text(6, 67.75, 73, 72.5, 4.75, false, kLeft, d_.transport);
        text(2, 77.75, 35, 82.5, 4.75, true, kRight, QStringLiteral("Miesto určenia :"));
        text(38, 77.75, 93, 82.5, 4.75, false, kLeft, c("OBEC"));
        text(2, 87, 35, 92, 4.75, true, kRight, QStringLiteral("Miesto podniku :"));
        text(38, 87, 93, 92, 4.75, false, kLeft, c("OBEC"));
        text(76, 41.75, 120, 46.5, 4.75, true, kLeft,
             old_ ? QStringLiteral("4. Odberateľ (IČO)")
                  : QStringLiteral("4. Odberateľ-príjemca (IČO)"));
        // The IČO as typed: leading zeros stay.
        text(150, 41.75, 190, 46.5, 4.75, true, kLeft, inv("ICO_ODBA"));
        text(100, 46.5, 190, 52.5, 6, false, kLeft, c("NAZOV"));
        text(100, 52.5, 190, 57.25, 4.75, false, kLeft, JoinName(c("TITUL"), c("MENO"), c("PRIEZVISK")));
        text(100, 57.25, 190, 62, 4.75, false, kLeft, Joined({c("ULICA"), c("CISLO"), c("OBEC")}));
        text(100, 62, 190, 66.5, 4.75, false, kLeft, Joined({c("PSC"), c("DODPOSTA")}));
        if (old_) {
            text(120, 66.5, 190, 71, 4.75, true, kLeft, c("DICO"));
            text(170, 66.5, 190, 71, 4.75, true, kLeft, QStringLiteral("(DIČ)"));
        } else {
            text(100, 66.5, 190, 71, 4.75, true, kLeft, QStringLiteral("IČDPH / DIČ:"));
            text(130, 66.5, 190, 71, 4.75, true, kLeft, c("ICDPH") + QStringLiteral(" / ") + c("DICON"));
        }

        // Dates and payment
        text(99, 71.75, 160, 76.5, 4.75, true, kLeft, QStringLiteral("6. Deň splatnosti :"));
        text(165, 71.75, 193, 76.5, 4.75, false, kRight, inv("DAT_SPL"));
        text(103, 76.5, 160, 81.25, 4.75, false, kLeft, QStringLiteral("Forma úhrady :"));
        text(145, 76.5, 193, 81.25, 4.75, false, kRight, d_.paymentForm);
        text(103, 81.25, 160, 86, 4.75, false, kLeft, QStringLiteral("Deň vystavenia dokladu :"));
        text(145, 81.25, 193, 86, 4.75, false, kRight, inv("DAT_VYS"));
        const QString supplyLabel = !d_.vatPayer ? QStringLiteral("Dátum dodania :")
                                    : old_       ? QStringLiteral("Deň uskut. zdaň. plnenia :")
                                                 : QStringLiteral("Dátum dodávky :");
        text(103, 86, 160, 90.75, 4.75, false, kLeft, supplyLabel);
        text(145, 86, 193, 90.75, 4.75, false, kRight, inv("DAT_PLN"));
        text(2, 92, 190, 97, 4.5, true, kLeft, o("REGCISLO"));
        heading(98);
    }

    void heading(double y0) {
        if (!d_.payerFlagKnown)
            return;
        auto one = [&](double x1, double x2, double h, const QString& s) {
            text(x1, y0, x2, y0 + 13, h, false, kCentre, s);
        };
        auto two = [&](double x1, double x2, double h, const QString& a, const QString& b) {
            text(x1, y0 + 1, x2, y0 + 6.5, h, false, kCentre, a);
            text(x1, y0 + 6.5, x2, y0 + 12, h, false, kCentre, b);
        };
        auto total = [&](double x1, double x2, double h, const QString& b) {
            text(x1, y0, x2, y0 + 6.5, h, false, kCentre, QStringLiteral("Celkom v ") + mena_);
            text(x1, y0 + 6.5, x2, y0 + 12, h, false, kCentre, b);
        };
        if (!d_.vatPayer) {
            one(2, 103, 5, QStringLiteral("Označenie dodávky"));
            one(103, 128, 5, QStringLiteral("Množstvo"));
            one(128, 138, 5, QStringLiteral("Mj"));
            two(138, 165, 5, QStringLiteral("Jednotková"), QStringLiteral("cena"));
            one(165, 195, 5, QStringLiteral("Celkom v ") + mena_);
        } else if (!d_.withGross) {
            one(2, 100, 4.5, QStringLiteral("Označenie dodávky"));
            one(100, 115, 4.5, QStringLiteral("Množstvo"));
            one(115, 125, 4.5, QStringLiteral("Mj"));
            two(125, 152, 5, QStringLiteral("Jedn. cena"), QStringLiteral("bez dane"));
            one(152, 165, 5, QStringLiteral("%DPH"));
            total(165, 195, 5, QStringLiteral("bez dane"));
        } else {
            one(2, 100, 4.5, QStringLiteral("Označenie dodávky"));
            one(100, 115, 4.5, QStringLiteral("Množstvo"));
            one(115, 125, 4.5, QStringLiteral("Mj"));
            two(125, 145, 4.5, QStringLiteral("Jedn. cena"), QStringLiteral("bez dane"));
            one(145, 155, 4.5, QStringLiteral("%DPH"));
            total(155, 175, 4.5, QStringLiteral("bez dane"));
            total(175, 195, 4.5, QStringLiteral("s daňou"));
        }
    }

    void itemLine(const InvoiceItem& item, double y) {
        const double y2 = y + 4.5;
        const double h = 4.25;
        if (IsTextOnly(item, d_.format)) {
            text(2, y, 193, y2, h, false, kLeft, item.text);
            return;
        }
        const long double amount = CellNumber(item.quantity) * CellNumber(item.price);
        base_ += amount;
        if (!d_.vatPayer) {
            text(2, y, 100, y2, h, false, kLeft, item.text);
            text(100, y, 125, y2, h, false, kRight, item.quantity);
            text(128, y, 138, y2, h, false, kCentre, item.unit);
            text(140, y, 162, y2, h, false, kRight, item.price);
            text(164, y, 193, y2, h, false, kRight, item.amount);
            return;
        }
        const long double rate = CellNumber(item.rate);
        tax_ += amount * rate / 100;
        text(2, y, 99, y2, h, false, kLeft, item.text);
        text(99, y, 114, y2, h, false, kRight, item.quantity);
        text(116, y, 124, y2, h, false, kCentre, item.unit);
        if (!d_.withGross) {
            text(126, y, 151, y2, h, false, kRight, item.price);
            text(153, y, 164, y2, h, false, kCentre, item.rate);
            text(166, y, 193, y2, h, false, kRight, item.amount);
        } else {
            text(125, y, 145, y2, h, false, kRight, item.price);
            text(145, y, 155, y2, h, false, kCentre, item.rate);
            text(155, y, 174, y2, h, false, kRight, item.amount);
            text(175, y, 194, y2, h, false, kRight, d_.format.show(amount * (rate + 100) / 100));
        }
    }

    void subtotal() {
        const double y1 = 196 + e_ + 15.5, y2 = y1 + 5;
        text(6, y1, 55, y2, 5, false, kLeft, QStringLiteral("M E D Z I S Ú Č E T :"));
        if (d_.vatPayer) {
            text(57, y1, 100, y2, 5, false, kLeft, QStringLiteral("Cena bez dane :"));
            text(90, y1, 118, y2, 5, false, kRight, Money(base_));
            text(120, y1, 132, y2, 5, false, kCentre, mena_);
            text(135, y1, 147, y2, 5, false, kCentre, QStringLiteral("DPH:"));
            text(147, y1, 178, y2, 5, false, kRight, Money(tax_));
            text(180, y1, 193, y2, 5, false, kCentre, mena_);
        } else {
            text(57, y1, 100, y2, 5, false, kLeft, QStringLiteral("Cena :"));
            text(155, y1, 178, y2, 5, false, kRight, Money(base_));
            text(180, y1, 193, y2, 5, false, kCentre, mena_);
        }
    }

    void totals() {
        const double y = 203 + e_;
        const long double total = CellNumber(d_.total);
        if (d_.vatPayer) {
            for (int k = 0; k < 3; ++k) {
                const double r1 = y + 0.5 + 5 * k, r2 = r1 + 5;
                // The first level is the exempt one only while its rate is 0 %.
                if (k == 0 && d_.rates[0] == 0) {
                    text(6, r1, 55, r2, 5, false, kLeft, QStringLiteral("Oslobodené od DPH"));
                } else {
                    text(6, r1, 40, r2, 5, false, kLeft, QStringLiteral("Sadzba dane :"));
                    text(42, r1, 47, r2, 5, false, kRight, QString::number(d_.rates[k]));
                    text(48, r1, 53, r2, 5, false, kRight, QStringLiteral("%"));
                }
                text(57, r1, 100, r2, 5, false, kLeft, QStringLiteral("Cena bez dane :"));
                text(90, r1, 118, r2, 5, false, kRight, d_.recap.base(k));
                text(120, r1, 132, r2, 5, false, kCentre, mena_);
                text(135, r1, 147, r2, 5, false, kCentre, QStringLiteral("DPH:"));
                text(147, r1, 178, r2, 5, false, kRight, d_.recap.tax(k));
                text(180, r1, 193, r2, 5, false, kCentre, mena_);
            }
            double r1 = y + 15.5, r2 = r1 + 5;
            text(6, r1, 60, r2, 5, false, kLeft, QStringLiteral("S P O L U :"));
            text(90, r1, 118, r2, 5, false, kRight, d_.recap.base(3));
            text(120, r1, 132, r2, 5, false, kCentre, mena_);
            text(147, r1, 178, r2, 5, false, kRight, d_.recap.tax(3));
            text(180, r1, 193, r2, 5, false, kCentre, mena_);
            r1 += 5;
            r2 += 5;
            const long double rounding =
                total - CellNumber(d_.recap.base(3)) - CellNumber(d_.recap.tax(3));
            text(6, r1, 60, r2, 5, false, kLeft, QStringLiteral("Zaokrúhlenie:"));
            text(147, r1, 178, r2, 5, false, kRight, Money(rounding));
            text(180, r1, 193, r2, 5, false, kCentre, mena_);
            text(6, y + 28, 60, y + 34, 5, false, kLeft, QStringLiteral("Celkom k úhrade : "));
        } else {
            text(6, y + 6, 100, y + 12, 5, false, kLeft, QStringLiteral("Spolu :"));
            text(125, y + 6, 178, y + 12, 5, false, kRight, d_.total);
            text(180, y + 6, 193, y + 12, 5, false, kCentre, mena_);
            // What the rounding code added to the sum of the lines.
            text(6, y + 12, 100, y + 18, 5, false, kLeft, QStringLiteral("Zaokrúhlenie :"));
            text(125, y + 12, 178, y + 18, 5, false, kRight, Money(total - base_));
            text(180, y + 12, 193, y + 18, 5, false, kCentre, mena_);
            text(6, y + 28, 100, y + 34, 6, false, kLeft, QStringLiteral("Celkom k úhrade :"));
        }
        text(125, y + 28, 178, y + 34, 6, true, kRight, Money(total));
        text(180, y + 28, 193, y + 34, 6, true, kCentre, mena_);
        double received = y + 41;
        if (showDm_) {
            double rate = 0;
            DecimalFromText(inv("KURZ"), rate);
            long double converted = 0;
            if (ConvertedTotal(mena_, inv("DMENA"), rate, total, converted)) {
                text(6, y + 33, 100, y + 39, 5, false, kLeft,
                     QStringLiteral("Konverný kurz: 1 EUR = ") + FloatAsText(rate) +
                         QStringLiteral(" SKK"));
                text(125, y + 33, 178, y + 39, 5, true, kRight, Money(converted));
                text(180, y + 33, 193, y + 39, 5, true, kCentre, inv("DMENA"));
            }
            received = y + 43;
        }
        text(10, received, 90, received + 5, 4.75, false, kLeft, QStringLiteral("Prevzal : "));
        text(115, y + 47, 180, y + 52, 4.75, false, kLeft, QStringLiteral("Pečiatka a podpis"));
    }

    ReportWriter& w_;
    const InvoicePrintData& d_;
    double dx_ = 0, dy_ = 0, e_ = 20, bottom_ = 0;
    bool old_ = false;
    bool showDm_ = false;
    QString mena_;
    long double base_ = 0, tax_ = 0;
};

} // namespace

int FirstPageLines(double bottomMargin) {
    const double e = 20 - bottomMargin;
    return int(std::floor((10 * e + 900) / 45));
}

int FurtherPageLines(double bottomMargin) {
    const double e = 20 - bottomMargin;
    return int(std::floor((10 * e + 1800) / 45));
}

int InvoicePages(int lines, double bottomMargin) {
    const int c1 = FirstPageLines(bottomMargin);
    const int c2 = FurtherPageLines(bottomMargin);
    if (lines <= c1)
        return 1;
    return 1 + (lines - c1 + c2 - 1) / c2;
}

bool ConvertedTotal(const QString& currency, const QString& additional, double rate,
                    long double total, long double& converted) {
    const QString from = currency.trimmed().toUpper();
    const QString to = additional.trimmed().toUpper();
    if (!(rate > 0) || !std::isfinite(rate))
        return false;
    if (from == QLatin1String("SK") && to == QLatin1String("EUR")) {
        converted = total / rate;
        return true;
    }
    if (from == QLatin1String("EUR") && to == QLatin1String("SK")) {
        converted = total * rate;
        return true;
    }
    return false;
}

bool ReadInvoiceForPrint(AppContext& app, qint64 invoiceCode, InvoicePrintData& d) {
    static const QStringList invoiceFields{
        "KOD",     "CISFAKTU", "UCET_DOD", "KONSTS",  "CIS_OBJED", "CIS_DODL", "ICO_ODB",
        "SP_DOPR", "FORMA_UHR", "DAT_SPL", "DAT_VYS", "DAT_PLN",   "SUMA",     "MENA",
        "TYP",     "ICO_ODBA", "KDEODB",   "DOPLNOK", "DMENA",     "KURZ",     "ZOBRAZDM"};
    d.invoice = Fields(app, module::kFak, QStringLiteral("KOD"), double(invoiceCode), invoiceFields);
    if (d.invoice.isEmpty())
        return false;
    static const QStringList ownerFields{
        "NAZOV",  "TITUL", "MENO",    "PRIEZVISK", "ULICA",   "CISLO",      "OBEC",
        "PSC",    "DODPOSTA", "STAT", "ICO",       "DICO",    "DICON",      "ICDPH",
        "REGCISLO", "PLATCADAN", "AJSDPH", "DOLNYOKRAJ", "POSUNXF", "POSUNYF"};
    for (const QString& f : ownerFields)
        d.owner.insert(f, OwnerField(app, f));
    const QStringList customerFields{"NAZOV", "TITUL", "MENO",  "PRIEZVISK", "ULICA",
                                     "CISLO", "OBEC",  "PSC",   "DODPOSTA",  "STAT",
                                     "DICO",  "DICON", "ICDPH"};
    if (d.invoice.value("KDEODB") == QLatin1String("1")) {
        // An insurer: its DIC stands where a company's DICON does.
        const QHash<QString, QString> insurer =
            Fields(app, module::kPoist, QStringLiteral("CPOI"), d.invoice.value("DOPLNOK"),
                   {"NAZOV", "ULICA", "CISLO", "OBEC", "PSC", "DODPOSTA", "STAT", "DIC", "ICDPH"});
        for (const QString& f : customerFields)
            d.customer.insert(f, insurer.value(f == QLatin1String("DICON") ? QStringLiteral("DIC") : f));
    } else {
        d.customer = Fields(app, module::kFirma, QStringLiteral("ICO"), d.invoice.value("ICO_ODBA"),
                            customerFields);
    }
    d.account = Fields(app, module::kUcty, QStringLiteral("UCET"), d.invoice.value("UCET_DOD"),
                       {"NAZOV", "POBOCKA", "CISUCET", "KODBAN", "BICSWIFT", "IBAN"});
    LookupField(app, module::kDoprava, QStringLiteral("KOD"), {d.invoice.value("SP_DOPR")},
                QStringLiteral("NAZOV"), d.transport);
    LookupField(app, module::kUhrada, QStringLiteral("KOD"), {d.invoice.value("FORMA_UHR")},
                QStringLiteral("NAZOV"), d.paymentForm);

    double days = 0;
    d.issued = ParseDate(d.invoice.value("DAT_VYS"), days) ? DateFromDays(days) : QDate();
    const QDate supply = ParseDate(d.invoice.value("DAT_PLN"), days) ? DateFromDays(days) : QDate();
    d.creditNote = d.invoice.value("TYP") == QLatin1String("D");
    const QString payer = d.owner.value("PLATCADAN");
    d.vatPayer = payer != QLatin1String("N");
    d.payerFlagKnown = payer == QLatin1String("A") || payer == QLatin1String("N");
    d.withGross = d.vatPayer && d.owner.value("AJSDPH") == QLatin1String("A");

    // The lines and totals as the items editor forms them, with the rates of the supply date.
    auto* invoices = dynamic_cast<TfFakd*>(app.registry.module(module::kFak));
    auto* pol = dynamic_cast<TfPold*>(app.registry.module(module::kPol));
    if (!invoices || !pol)
        return false;
    d.rates = supply.isValid() ? VatRatesAt(app, supply) : VatRates(app.vatRates);
    pol->setRoundingCode(invoices->roundingCode());
    pol->setRates(d.rates);
    pol->LoadItems(invoiceCode);
    d.format = pol->format();
    d.items = pol->items();
    // A fresh grid holds one new line; an invoice without lines prints none.
    if (d.items.size() == 1 && IsEmptyItem(d.items.first(), d.format))
        d.items.clear();
    d.recap = pol->recapTexts();
    d.total = pol->totalText();
    return true;
}

void DrawInvoice(ReportWriter& writer, const InvoicePrintData& data) {
    InvoicePainter(writer, data).draw();
}

bool PrintInvoice(AppContext& app, qint64 invoiceCode, const QString& mode,
                  const QString& fileName) {
    InvoicePrintData data;
    const bool found = ReadInvoiceForPrint(app, invoiceCode, data);
    ReportWriter& w = app.reports;
    const bool whole = mode != QLatin1String("A");
    if (whole && !w.ReportBegin(fileName))
        return false;
    if (found)
        DrawInvoice(w, data);
    if (whole)
        return w.ReportEnd();
    return true;
}

} // namespace vidoraw
