#include "invoicing/numberseries.h"

#include "core/engine/tableops.h"
#include "core/values.h"
#include "framework/appcontext.h"

#include <algorithm>

namespace vidoraw {

namespace {

// Wider than any counter can be written; a mistyped width must not fill the memory with zeros.
constexpr int kMaxDigits = 20;

struct Series {
    QString mode;
    QString prefix;
    qint64 counter = 0;
    int digits = 0;
    QString postfix;
};

Table* SeriesTable(AppContext& app) {
    RecordModule* m = app.registry.module(module::kCisrad);
    return m && m->OpenTable() ? &m->table() : nullptr;
}

bool ReadSeries(AppContext& app, int number, Series& s) {
    Table* t = SeriesTable(app);
    QStringList v;
    if (!t || !LookupFieldsIn(*t, QStringLiteral("KOD"), {number},
                              {QStringLiteral("POUZI"), QStringLiteral("PREFIX"),
                               QStringLiteral("POCITADLO"), QStringLiteral("POCMIEST"),
                               QStringLiteral("POSTFIX")},
                              v))
        return false;
    double counter = 0, digits = 0;
    s.mode = v[0];
    s.prefix = v[1];
    s.counter = DecimalFromText(v[2], counter) ? qint64(std::clamp(counter, -1e15, 1e15)) : 0;
    s.digits = DecimalFromText(v[3], digits) ? int(std::clamp(digits, 0.0, double(kMaxDigits))) : 0;
    s.postfix = v[4];
    return true;
}

// The largest whole number between prefix and postfix among the invoice numbers; 0 for none.
qint64 HighestInvoiceNumber(AppContext& app, const QString& prefix, const QString& postfix) {
    RecordModule* m = app.registry.module(module::kFak);
    if (!m || !m->OpenTable())
        return 0;
    Table& t = m->table();
    const int field = t.fieldIndex(QStringLiteral("CISFAKTU"));
    if (field < 0)
        return 0;
    const FieldDef def = t.fieldDefs()[field];
    qint64 highest = 0;
    // Every invoice, whatever the list's filter; the list's cursor does not move.
    t.scanOrder(QStringLiteral("KOD"), {}, false, [&](qint64, const QVector<QVariant>& row) {
        const QString number = ValueAsString(def, row[field]);
        if (number.size() <= prefix.size() + postfix.size() || !number.startsWith(prefix) ||
            !number.endsWith(postfix))
            return true;
        const QString digits = number.mid(prefix.size(), number.size() - prefix.size() - postfix.size());
        if (digits.size() > 18)
            return true;
        for (QChar c : digits)
            if (c < u'0' || c > u'9')
                return true;
        highest = std::max(highest, digits.toLongLong());
        return true;
    });
    return highest;
}

} // namespace

QString FormatSeriesNumber(const QString& prefix, qint64 counter, int digits,
                           const QString& postfix) {
    const QString number = QString::number(counter);
    const int width = std::min(digits, kMaxDigits);
    return prefix + QString(std::max<qsizetype>(0, width - number.size()), u'0') + number + postfix;
}

QString NextInvoiceNumber(AppContext& app) {
    Series s;
    if (!ReadSeries(app, kInvoiceSeries, s))
        return QString();
    if (s.mode == QLatin1String("B"))
        return FormatSeriesNumber(s.prefix, s.counter, s.digits, s.postfix);
    if (s.mode == QLatin1String("C"))
        return FormatSeriesNumber(s.prefix, HighestInvoiceNumber(app, s.prefix, s.postfix) + 1,
                                  s.digits, s.postfix);
    return QString();
}

bool AdvanceSeries(AppContext& app, int series) {
    Table* t = SeriesTable(app);
    if (!t)
        return false;
    WriteLock lock(*t->database());
    if (!lock.ok())
        return false;
    // Read inside the lock: another workstation may have moved the counter since. Nothing to
    // change still commits, so that the caller's change goes on.
    if (!FindByKey(*t, QStringLiteral("KOD"), series) ||
        t->field(QStringLiteral("POUZI")).asString() != QLatin1String("B"))
        return lock.commit();
    const double counter = t->field(QStringLiteral("POCITADLO")).asFloat();
    if (!t->edit() || !t->field(QStringLiteral("POCITADLO")).setValue(counter + 1) ||
        !t->post()) {
        t->cancel();
        return false;
    }
    return lock.commit();
}

bool IssueInvoiceNumber(AppContext& app, const QString& proposed, const QString& typed,
                        QString& number) {
    if (!app.db || !app.db->inWrite())
        return false;
    number = !proposed.isEmpty() && typed == proposed ? NextInvoiceNumber(app) : typed;
    return AdvanceSeries(app, kInvoiceSeries);
}

} // namespace vidoraw
