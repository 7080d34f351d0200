#include "invoicing/receipt.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "core/modulenumbers.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/desktopfile.h"
#include "framework/tfdbform.h"
#include "invoicing/amountinwords.h"
#include "invoicing/companynames.h"
#include "reports/reporttemplates.h"
#include "shell/vlastnikd.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vidoraw {

namespace {

// A party of the receipt: its name, street line, post line and tax numbers.
struct Party {
    QString name;
    QString street;
    QString post;
    QString vatId; // IČ DPH, else DIČ
    QString ico;
};

Party PartyOf(const QStringList& v) { // ULICA, CISLO, OBEC, PSC, DODPOSTA, ICDPH, DICON, ICO
    Party p;
    p.street = JoinName(v.value(0), v.value(1), v.value(2));
    p.post = JoinName(v.value(3), v.value(4), QString());
    p.vatId = v.value(5).trimmed().isEmpty() ? v.value(6) : v.value(5);
    p.ico = v.value(7);
    return p;
}

const QStringList kPartyFields{"ULICA", "CISLO", "OBEC", "PSC", "DODPOSTA", "ICDPH", "DICON", "ICO"};

Party Owner(AppContext& app) {
    QStringList v;
    for (const QString& f : kPartyFields)
        v << OwnerField(app, f);
    Party p = PartyOf(v);
    p.name = OwnerField(app, QStringLiteral("NAZOV"));
    if (p.name.trimmed().isEmpty())
        p.name = JoinName(OwnerField(app, QStringLiteral("TITUL")),
                          OwnerField(app, QStringLiteral("MENO")),
                          OwnerField(app, QStringLiteral("PRIEZVISK")));
    return p;
}

Party Customer(AppContext& app, const QString& ico) {
    QStringList v;
    if (ico.trimmed().isEmpty() ||
        !LookupFields(app, module::kFirma, QStringLiteral("ICO"), {ico.trimmed()}, kPartyFields, v))
        return Party{};
    Party p = PartyOf(v);
    p.name = CompanyFormalName(app, ico.trimmed()).trimmed();
    p.ico = ico;
    return p;
}

// "Name, street, post": the name and the street each followed by "," when present.
QString PartyText(const Party& p) {
    return JoinName(p.name.isEmpty() ? QString() : p.name + QLatin1Char(','),
                    p.street.isEmpty() ? QString() : p.street + QLatin1Char(','), p.post);
}

double Number(const QString& text) {
    double v = 0;
    return DecimalFromText(NormalizeDecimal(text.trimmed()), v) ? v : 0;
}

QString Amount(double v) { return FormatAmount(QString::number(v, 'g', 17)); }

// Text for an RTF file: its control characters escaped, everything beyond ASCII as the code
// page 1250 byte (or as Unicode where code page 1250 has no byte for it).
QString RtfText(const QString& text) {
    QString out;
    for (QChar ch : text) {
        unsigned char b = 0;
        if (ch == u'\\' || ch == u'{' || ch == u'}')
            out += QLatin1Char('\\') + ch;
        else if (ch.unicode() < 0x80)
            out += ch;
        else if (Cp1250Byte(ch, b))
            out += QStringLiteral("\\'%1").arg(b, 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1?").arg(qint16(ch.unicode()));
    }
    return out;
}

} // namespace

const QStringList& ReceiptPlaceholders() {
    static const QStringList names{
        "XXX_FIRMA",     "XXX_ULICA",  "XXX_POSTA",  "XXX_ICDPH",     "XXX_ICO",    "XXX_CDOKLAD",
        "XXX_DATUM",     "XXX_ODBFIRMA", "XXX_ODBICDPH", "XXX_ODBICO", "XXX_BEZDPH", "XXX_PERC",
        "XXX_DPH",       "XXX_SDPH",   "XXX_SLOVOM", "XXX_UCEL",      "XXX_VYHOTOVIL",
        "XXX_SCHVALIL"};
    return names;
}

QString ReceiptName(ReceiptKind kind) {
    return kind == ReceiptKind::Income ? QStringLiteral("PPD") : QStringLiteral("VPD");
}

ReceiptValues FillReceipt(AppContext& app, ReceiptKind kind, qint64 invoiceCode,
                          const QString& prepared, const QString& approved) {
    QStringList inv;
    if (!LookupFields(app, module::kFak, QStringLiteral("KOD"), {invoiceCode},
                      {QStringLiteral("CISFAKTU"), QStringLiteral("DAT_VYS"),
                       QStringLiteral("ICO_ODBA"), QStringLiteral("BEZDPH1"),
                       QStringLiteral("BEZDPH2"), QStringLiteral("BEZDPH3"), QStringLiteral("SUMA"),
                       QStringLiteral("MENA")},
                      inv))
        inv = QStringList(8, QString());
    const Party owner = Owner(app);
    Party customer = Customer(app, inv[2]);
    customer.ico = inv[2];
    const bool income = kind == ReceiptKind::Income;
    const Party& issuer = income ? owner : customer;
    const Party& other = income ? customer : owner;

    const double bases[3] = {Number(inv[3]), Number(inv[4]), Number(inv[5])};
    const double total = Number(inv[6]);
    QString rate;
    for (int i = 0; i < 3; ++i) {
        if (bases[i] != 0) {
            rate = QString::number(app.vatRates[size_t(i)]) + QStringLiteral(" %");
            break;
        }
    }
    const double base = bases[0] + bases[1] + bases[2];
    const QString ownerPerson =
        JoinName(OwnerField(app, QStringLiteral("TITUL")), OwnerField(app, QStringLiteral("MENO")),
                 OwnerField(app, QStringLiteral("PRIEZVISK")));
    const QString purpose = (income ? QStringLiteral("Príjem za fa č. ")
                                    : QStringLiteral("Úhrada dod. fa č. ")) +
                            inv[0];
    const QStringList texts{
        issuer.name,
        issuer.street,
        issuer.post,
        issuer.vatId,
        issuer.ico,
        QString(),
        inv[1],
        PartyText(other),
        other.vatId,
        other.ico,
        Amount(base),
        rate,
        Amount(total - base),
        Amount(total),
        AmountInWords(total, inv[7]) + QLatin1Char(' ') + QString(56, QLatin1Char('~')),
        purpose,
        prepared.trimmed().isEmpty() ? ownerPerson : prepared,
        approved.trimmed().isEmpty() ? ownerPerson : approved};
    ReceiptValues out;
    for (int i = 0; i < texts.size(); ++i)
        out.append({ReceiptPlaceholders()[i], texts[i]});
    return out;
}

bool PrintReceipt(AppContext& app, ReceiptKind kind, const ReceiptValues& values, bool twoOnPage,
                  QWidget* owner) {
    TemplateReport job;
    job.templateName = ReceiptName(kind).toLower() + QStringLiteral(".dsz");
    if (twoOnPage)
        job.secondCopy = QPointF(0, 140);
    job.values = values;
    return RunTemplateReport(app.reports, job, owner);
}

QString WriteReceiptRtf(ReceiptKind kind, const ReceiptValues& values, qint64 invoiceCode,
                        const QString& directory, QWidget* owner) {
    const QString name = ReceiptName(kind).toLower() + QStringLiteral(".rtf");
    const QString source = FindTemplateFile(name);
    QFile in(source);
    if (source.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Šablóna %1 sa nedá prečítať.").arg(name), NoticeKind::Error,
                   owner);
        return QString();
    }
    QStringList lines = FromCp1250(in.readAll()).split(QStringLiteral("\r\n"));
    ReceiptValues escaped;
    for (const auto& [placeholder, text] : values)
        escaped.append({placeholder, RtfText(text)});
    FillPlaceholders(lines, escaped);
    const QString path = QDir(directory).filePath(ReceiptName(kind) + QLatin1Char('_') +
                                                  QString::number(invoiceCode) +
                                                  QStringLiteral(".rtf"));
    QSaveFile out(path);
    if (!QDir().mkpath(directory) || !out.open(QIODevice::WriteOnly) ||
        out.write(ToCp1250(lines.join(QStringLiteral("\r\n")))) < 0 || !out.commit()) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Súbor %1 sa nedá zapísať: %2")
                       .arg(QDir::toNativeSeparators(path), out.errorString()),
                   NoticeKind::Error, owner);
        return QString();
    }
    return path;
}

void ExportReceipt(AppContext& app, ReceiptKind kind, const ReceiptValues& values,
                   qint64 invoiceCode, QWidget* owner) {
    const IniFile ini(QString::fromLatin1(kMainSettingsFile));
    const QString editor = ini.readString(QStringLiteral("CESTY"), QStringLiteral("RTFEDITOR"));
    const QString directory = ini.readString(QStringLiteral("CESTY"), QStringLiteral("DATA"));
    const QString path = WriteReceiptRtf(kind, values, invoiceCode, directory, owner);
    if (path.isEmpty())
        return;
    if (AskConfirm(QStringLiteral(" Mám spustiť Editor Rtf súboru (Winword.exe) a zobraziť práve "
                                  "vytvorený súbor?"),
                   owner) != 1)
        return;
    const bool started = editor.trimmed().isEmpty() ? ShowOnDesktop(app, path)
                                                    : StartProgram(app, editor.trimmed(), {path});
    if (!started)
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Nepodarilo sa spustiť RTF editor (WinWord)!"),
                   NoticeKind::Error, owner);
}

} // namespace vidoraw
