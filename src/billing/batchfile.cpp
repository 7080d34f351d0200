#include "billing/batchfile.h"

#include "billing/batches.h"
#include "core/base/codepage.h"
#include "core/base/numbertext.h"
#include "core/engine/fieldvalue.h"
#include "core/modulenumbers.h"
#include "framework/appcontext.h"
#include "framework/systemrecord.h"
#include "shell/vlastnikd.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>

namespace vidoraw {

QString BatchPeriod(const QString& obdmm, const QString& obdrr) {
    QString p = obdrr + obdmm.trimmed().rightJustified(2, u'0');
    p.replace(u' ', u'0');
    return p;
}

BatchVariant VariantOfPeriod(const QString& period) {
    if (period < QLatin1String("200408"))
        return BatchVariant::A;
    if (period < QLatin1String("200701"))
        return BatchVariant::B;
    return BatchVariant::C;
}

QString BatchFileName(qint64 batchNumber) {
    return QStringLiteral("DAVKA.") + QString::number(batchNumber).rightJustified(2, u'0');
}

bool IsBatchFileName(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^davka\\.[0-9]+$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}

QString BatchBirthNumber(const QString& rodcis) {
    QString s = rodcis;
    s.remove(u'/');
    return s.trimmed();
}

QString BatchDoctorCode(const QString& kodpec) {
    QString s = kodpec;
    s.remove(u'-');
    return s.trimmed();
}

QString BatchAmount(const QVariant& stored) {
    const double v = stored.isValid() && !stored.isNull() ? stored.toDouble() : 0.0;
    return FormatFixed(v, 2, u'.');
}

QString BatchDate(const QDate& date) {
    if (!date.isValid())
        return QStringLiteral("00000000");
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    if (y < 1000 || y > 9999)
        return date.toString(QStringLiteral("yyyyMMdd"));
    // Written for every voucher of a batch: without parsing a format each time.
    const char16_t digits[8] = {
        char16_t(u'0' + y / 1000),     char16_t(u'0' + y / 100 % 10), char16_t(u'0' + y / 10 % 10),
        char16_t(u'0' + y % 10),       char16_t(u'0' + m / 10),       char16_t(u'0' + m % 10),
        char16_t(u'0' + d / 10),       char16_t(u'0' + d % 10)};
    return QString(reinterpret_cast<const QChar*>(digits), 8);
}

QString BatchType(const QList<BatchVoucher>& vouchers) {
    for (const BatchVoucher& v : vouchers)
        if (v.icpoi.trimmed().size() > 8)
            return QStringLiteral("E");
    return QStringLiteral("N");
}

namespace {

QString Line(const QStringList& fields) {
    QString out;
    for (const QString& f : fields) {
        out += f;
        out += u'|';
    }
    return out;
}

QString WithoutBlanks(QString s) {
    s.remove(u' ');
    return s;
}

} // namespace

QStringList BatchFileLines(const BatchFileHeader& h, const QList<BatchVoucher>& vouchers) {
    const QString period = BatchPeriod(h.obdmm, h.obdrr);
    const BatchVariant variant = VariantOfPeriod(period);
    const QString type = BatchType(vouchers);
    const QString created = BatchDate(h.created);
    const QString n = QString::number(vouchers.size());
    QStringList out;
    if (variant == BatchVariant::C) {
        out << Line({type, QStringLiteral("738"), h.ownerIco.trimmed(), created,
                     h.batchNumber.trimmed(), n, QStringLiteral("1"), QStringLiteral("1"),
                     h.insurer})
            << Line({h.invoiceNumber.trimmed(), period, h.providerIdent.trimmed(),
                     h.providerCode.trimmed()});
    } else {
        out << Line({type, QStringLiteral("138"), h.ownerIco.trimmed(), h.contractIco.trimmed(),
                     created, h.batchNumber.trimmed(), n, QStringLiteral("1"), QStringLiteral("1"),
                     h.insurer})
            << Line({h.invoiceNumber.trimmed(), period, h.contractNumber.trimmed()});
    }
    int s = 0;
    for (const BatchVoucher& v : vouchers) {
        ++s;
        const QString seq = QString::number(s);
        const int foreignLength = v.icpoi.trimmed().size();
        QString rc = BatchBirthNumber(v.rodcis);
        if ((variant == BatchVariant::B && foreignLength >= 10) ||
            (variant == BatchVariant::C && foreignLength >= 9))
            rc.clear();
        for (const BatchVoucherLine& l : v.lines) {
            if (l.aid.trimmed().isEmpty())
                continue;
            if (variant == BatchVariant::C) {
                out << Line({seq, rc, BatchDate(v.datum), BatchDate(v.datumvyd), v.doctorProvider,
                             v.doctorNew, l.aid, WithoutBlanks(v.koddiag), l.count,
                             BatchAmount(l.insurer), BatchAmount(l.patient), v.statpoi.trimmed(),
                             v.icpoi.trimmed(), v.pohlpoi.trimmed()});
                continue;
            }
            QStringList f = {rc,
                             v.kodpoikl.trimmed(),
                             l.aid.trimmed(),
                             BatchDoctorCode(v.kodpec),
                             BatchDate(v.datumvyd),
                             seq,
                             l.count.trimmed(),
                             BatchAmount(l.insurer),
                             BatchAmount(l.patient),
                             v.kodpoilek.trimmed(),
                             WithoutBlanks(v.koddiag),
                             BatchDate(v.datum),
                             v.kododlek.trimmed()};
            if (variant == BatchVariant::B)
                f << v.statpoi.trimmed() << v.icpoi.trimmed() << v.pohlpoi.trimmed();
            out << Line(f);
        }
    }
    return out;
}

QByteArray BatchFileBytes(const QStringList& lines, QString* unrepresentable) {
    QString text;
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return ToCp1250(text, unrepresentable);
}

BatchReader::BatchReader(AppContext& app) : app_(app) {}

bool CollectBatch(AppContext& app, qint64 invoiceCode, qint64 batchCode, BatchFileHeader& h,
                  QList<BatchVoucher>& vouchers) {
    return BatchReader(app).collect(invoiceCode, batchCode, h, vouchers);
}

bool WriteBatchFile(AppContext& app, qint64 invoiceCode, qint64 batchCode,
                    const QString& directory, const QString& fileName, QString* error) {
    return BatchReader(app).writeFile(invoiceCode, batchCode, directory, fileName, error);
}

bool BatchReader::collect(qint64 invoiceCode, qint64 batchCode, BatchFileHeader& h,
                          QList<BatchVoucher>& vouchers) {
    AppContext& app = app_;
    vouchers.clear();
    QStringList v;
    if (LookupFields(app, module::kFaktura, QStringLiteral("KOD"), {invoiceCode},
                     {QStringLiteral("CISFAK"), QStringLiteral("OBDMM"), QStringLiteral("OBDRR"),
                      QStringLiteral("KODZML")},
                     v)) {
        h.invoiceNumber = v[0];
        h.obdmm = v[1];
        h.obdrr = v[2];
        QStringList c;
        if (!v[3].isEmpty() &&
            LookupFields(app, module::kZmluva, QStringLiteral("KOD"), {v[3]},
                         {QStringLiteral("CISZML"), QStringLiteral("ICOPOI"), QStringLiteral("KODPOI")},
                         c)) {
            h.contractNumber = c[0];
            h.contractIco = c[1];
            h.insurer = c[2];
        }
    }
    QString number;
    LookupField(app, module::kDavka, QStringLiteral("KOD"), {batchCode}, QStringLiteral("CISDAV"),
                number);
    h.batchNumber = number;
    h.providerCode = SystemField(app, QStringLiteral("KODPZS"));
    h.providerIdent = SystemField(app, QStringLiteral("IDENTPZS"));
    h.ownerIco = OwnerField(app, QStringLiteral("ICO"));
    if (!h.created.isValid())
        h.created = QDate::currentDate();

    Table& t = vouchers_;
    if (!t.isOpen() && !OpenModuleCursor(app, module::kPoukaz, t))
        return false;
    auto col = [&](const char* name) { return t.fieldIndex(QString::fromLatin1(name)); };
    const int kodfa = col("KODFA"), koddav = col("KODDAV"), kodlek = col("KODLEK");
    const int rodcis = col("RODCIS"), kodpoikl = col("KODPOIKL"), kodpec = col("KODPEC"),
              kodpoilek = col("KODPOILEK"), koddiag = col("KODDIAG"), kododlek = col("KODODLEK"),
              statpoi = col("STATPOI"), icpoi = col("ICPOI"), pohlpoi = col("POHLPOI"),
              datum = col("DATUM"), datumvyd = col("DATUMVYD");
    std::array<std::array<int, 4>, 4> lineCols{};
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        lineCols[i] = {t.fieldIndex("KODOP" + n), t.fieldIndex("POCET" + n),
                       t.fieldIndex("SUMAPOI" + n), t.fieldIndex("SUMAPAC" + n)};
    }
    // The doctors' codes as they are now, looked up once per doctor.
    QHash<qint64, std::pair<QString, QString>> doctors;
    auto text = [](const QVariant& x) { return x.isNull() ? QString() : x.toString(); };
    QStringList needed = {"KODFA", "KODDAV", "KODLEK", "RODCIS", "KODPOIKL", "KODPEC", "KODPOILEK",
                          "KODDIAG", "KODODLEK", "STATPOI", "ICPOI", "POHLPOI", "DATUM", "DATUMVYD"};
    for (int i = 1; i <= 4; ++i)
        for (const char* f : {"KODOP", "POCET", "SUMAPOI", "SUMAPAC"})
            needed << QString::fromLatin1(f) + QString::number(i);
    const bool ok = t.scanGroup(
        QStringLiteral("KODFA;KODDAV;KOD"), {invoiceCode, batchCode}, needed,
        [&](qint64, const QVector<QVariant>& r) {
            if (ValueAsInteger(r[kodfa]) != invoiceCode || ValueAsInteger(r[koddav]) != batchCode)
                return false;
            BatchVoucher b;
            b.rodcis = text(r[rodcis]);
            b.kodpoikl = text(r[kodpoikl]);
            b.kodpec = text(r[kodpec]);
            b.kodpoilek = text(r[kodpoilek]);
            b.koddiag = text(r[koddiag]);
            b.kododlek = text(r[kododlek]);
            b.statpoi = text(r[statpoi]);
            b.icpoi = text(r[icpoi]);
            b.pohlpoi = text(r[pohlpoi]);
            b.datum = r[datum].toDate();
            b.datumvyd = r[datumvyd].toDate();
            const qint64 doctor = ValueAsInteger(r[kodlek]);
            auto it = doctors.find(doctor);
            if (it == doctors.end()) {
                QStringList d;
                if (!r[kodlek].isNull())
                    LookupFields(app, module::kLekar, QStringLiteral("KOD"), {doctor},
                                 {QStringLiteral("KODPZSNEW"), QStringLiteral("KODNEW")}, d);
                it = doctors.insert(doctor, {d.value(0), d.value(1)});
            }
            b.doctorProvider = it->first;
            b.doctorNew = it->second;
            for (int i = 0; i < 4; ++i) {
                b.lines[i].aid = text(r[lineCols[i][0]]);
                b.lines[i].count = text(r[lineCols[i][1]]);
                b.lines[i].insurer = r[lineCols[i][2]];
                b.lines[i].patient = r[lineCols[i][3]];
            }
            vouchers << b;
            return true;
        });
    return ok;
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // Also where the directory forbids the usual way of replacing a file.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool BatchReader::writeFile(qint64 invoiceCode, qint64 batchCode, const QString& directory,
                            const QString& fileName, QString* error) {
    BatchFileHeader header;
    QList<BatchVoucher> vouchers;
    if (!collect(invoiceCode, batchCode, header, vouchers)) {
        if (error)
            *error = QStringLiteral("Nepodarilo sa prečítať poukazy dávky.");
        return false;
    }
    QString lost;
    const QByteArray bytes = BatchFileBytes(BatchFileLines(header, vouchers), &lost);
    if (!lost.isEmpty()) {
        if (error)
            *error = QStringLiteral("Dávka obsahuje znaky, ktoré sa do súboru nedajú zapísať: %1")
                         .arg(lost);
        return false;
    }
    return WriteFileWhole(QDir(directory).filePath(fileName), bytes, error);
}

} // namespace vidoraw
