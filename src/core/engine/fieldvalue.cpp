#include "core/engine/fieldvalue.h"

#include "core/engine/collation.h"
#include "core/base/numbertext.h"

#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>

namespace vidoraw {

namespace {

bool parseDate(const QString& text, QDate& out) {
    const QString t = text.trimmed();
    static const QRegularExpression iso("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$");
    // The year in four digits: a shorter one is refused, never read as the year 8 or 108.
    static const QRegularExpression dmy("^(\\d{1,2})[.,/-](\\d{1,2})[.,/-](\\d{4})$");
    QRegularExpressionMatch m = iso.match(t);
    if (m.hasMatch()) {
        out = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return out.isValid();
    }
    m = dmy.match(t);
    if (m.hasMatch()) {
        out = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        return out.isValid();
    }
    return false;
}

bool parseTime(const QString& text, QTime& out) {
    const QString t = text.trimmed();
    for (const char* f : {"H:mm:ss", "H:mm", "HH:mm:ss"}) {
        out = QTime::fromString(t, QLatin1String(f));
        if (out.isValid())
            return true;
    }
    return false;
}

QString floatText(double v) { return FloatAsText(v); }

bool textToDouble(const QString& text, double& out) {
    QString t = text.trimmed();
    t.replace(',', '.');
    bool ok = false;
    out = t.toDouble(&ok);
    return ok && std::isfinite(out);
}

} // namespace

bool ConvertToField(const FieldDef& def, const QVariant& in, QVariant& out, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!in.isValid() || in.isNull()) {
        out = QVariant();
        return true;
    }
    const bool isText = in.typeId() == QMetaType::QString;
    const QString text = isText ? in.toString() : QString();
    if (!def.isText() && isText && text.trimmed().isEmpty()) {
        out = QVariant();
        return true;
    }
    switch (def.type) {
    case 'A': {
        QString s = in.typeId() == QMetaType::Double ? floatText(in.toDouble()) : in.toString();
        if (def.size > 0 && s.size() > def.size)
            s.truncate(def.size);
        out = s;
        return true;
    }
    case 'M':
        out = in.toString();
        return true;
    case 'I':
    case 'N': {
        qint64 v = 0;
        if (isText) {
            bool ok = false;
            v = text.trimmed().toLongLong(&ok);
            if (!ok)
                return fail(QStringLiteral("'%1' nie je platné celé číslo.").arg(text));
        } else if (in.typeId() == QMetaType::Double) {
            const double d = in.toDouble();
            if (!std::isfinite(d) || d != std::trunc(d))
                return fail(QStringLiteral("'%1' nie je platné celé číslo.").arg(floatText(d)));
            if (std::fabs(d) > 9e15)
                return fail(QStringLiteral("Číslo %1 je mimo rozsahu poľa %2.")
                                .arg(floatText(d), def.name));
            v = qint64(d);
        } else if (in.typeId() == QMetaType::Bool) {
            v = in.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            v = in.toLongLong(&ok);
            if (!ok)
                return fail(QStringLiteral("'%1' nie je platné celé číslo.").arg(in.toString()));
        }
        const qint64 lo = def.type == 'I' ? -32768 : std::numeric_limits<qint32>::min();
        const qint64 hi = def.type == 'I' ? 32767 : std::numeric_limits<qint32>::max();
        if (v < lo || v > hi)
            return fail(
                QStringLiteral("Číslo %1 je mimo rozsahu poľa %2.").arg(v).arg(def.name));
        out = v;
        return true;
    }
    case 'F': {
        double d = 0;
        if (isText) {
            if (!textToDouble(text, d))
                return fail(QStringLiteral("'%1' nie je platné číslo.").arg(text));
        } else {
            bool ok = false;
            d = in.toDouble(&ok);
            if (!ok || !std::isfinite(d))
                return fail(QStringLiteral("'%1' nie je platné číslo.").arg(in.toString()));
        }
        out = d;
        return true;
    }
    case 'L': {
        if (isText) {
            const QString t = text.trimmed().toLower();
            if (t == "true" || t == "t" || t == "1" || t == "a" || t == "ano" || t == "áno" ||
                t == "yes" || t == "y")
                out = true;
            else if (t == "false" || t == "f" || t == "0" || t == "n" || t == "nie" ||
                     t == "no")
                out = false;
            else
                return fail(QStringLiteral("'%1' nie je logická hodnota.").arg(text));
        } else {
            out = in.toBool();
        }
        return true;
    }
    case 'D': {
        QDate d;
        if (in.typeId() == QMetaType::QDate) {
            d = in.toDate();
        } else if (in.typeId() == QMetaType::QDateTime) {
            d = in.toDateTime().date();
        } else if (isText) {
            if (!parseDate(text, d))
                return fail(QStringLiteral("'%1' nie je platný dátum.").arg(text));
        } else {
            bool ok = false;
            const double days = in.toDouble(&ok);
            if (!ok || !std::isfinite(days) || std::fabs(days) > 3e6)
                return fail(QStringLiteral("'%1' nie je platný dátum.").arg(in.toString()));
            d = DayZero().addDays(qint64(std::floor(days)));
        }
        if (!d.isValid())
            return fail(QStringLiteral("Neplatný dátum."));
        out = d;
        return true;
    }
    case 'T': {
        QTime t;
        if (in.typeId() == QMetaType::QTime) {
            t = in.toTime();
        } else if (isText) {
            if (!parseTime(text, t))
                return fail(QStringLiteral("'%1' nie je platný čas.").arg(text));
        } else {
            bool ok = false;
            double frac = in.toDouble(&ok);
            if (!ok || !std::isfinite(frac))
                return fail(QStringLiteral("'%1' nie je platný čas.").arg(in.toString()));
            frac -= std::floor(frac);
            t = QTime(0, 0).addMSecs(int(std::llround(frac * 86400000.0)) % 86400000);
        }
        out = t;
        return true;
    }
    default:
        return fail(QStringLiteral("Pole %1 sa nedá zapísať.").arg(def.name));
    }
}

QVariant ToStorage(const FieldDef& def, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (def.type) {
    case 'D':
        return v.toDate().toString(Qt::ISODate);
    case 'T':
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case 'L':
        return qint64(v.toBool() ? 1 : 0);
    default:
        return v;
    }
}

QVariant FromStorage(const FieldDef& def, const QVariant& s) {
    if (!s.isValid() || s.isNull())
        return QVariant();
    switch (def.type) {
    case 'A':
    case 'M':
        return s.toString();
    case 'I':
    case 'N':
        return s.toLongLong();
    case 'F':
        return s.toDouble();
    case 'L':
        return s.toLongLong() != 0;
    case 'D':
        return QDate::fromString(s.toString(), Qt::ISODate);
    case 'T':
        return QTime::fromString(s.toString(), QStringLiteral("HH:mm:ss"));
    default:
        return s;
    }
}

QString ValueAsString(const FieldDef& def, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QString();
    switch (def.type) {
    case 'F':
        return floatText(v.toDouble());
    case 'L':
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case 'D':
        return v.toDate().toString(QStringLiteral("d.M.yyyy"));
    case 'T':
        return v.toTime().toString(QStringLiteral("H:mm:ss"));
    default:
        return v.toString();
    }
}

qint64 ValueAsInteger(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Double: {
        const double d = v.toDouble();
        return std::isfinite(d) ? qint64(std::trunc(d)) : 0;
    }
    case QMetaType::QDate:
        return DayZero().daysTo(v.toDate());
    case QMetaType::QString: {
        bool ok = false;
        const qint64 r = v.toString().trimmed().toLongLong(&ok);
        return ok ? r : 0;
    }
    default:
        return v.toLongLong();
    }
}

double ValueAsFloat(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QDate)
        return double(DayZero().daysTo(v.toDate()));
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        return textToDouble(v.toString(), d) ? d : 0;
    }
    return v.toDouble();
}

bool ValueAsBool(const QVariant& v) { return v.isValid() && !v.isNull() && v.toBool(); }

double ValueAsDays(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QDate)
        return double(DayZero().daysTo(v.toDate()));
    return ValueAsFloat(v);
}

int CompareFieldValues(const FieldDef& def, const QVariant& a, const QVariant& b, bool ci) {
    const bool an = !a.isValid() || a.isNull();
    const bool bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    switch (def.type) {
    case 'A':
    case 'M':
        return CompareSlovak(a.toString(), b.toString(), ci);
    case 'I':
    case 'N':
    case 'L': {
        const qint64 x = ValueAsInteger(a), y = ValueAsInteger(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 'D': {
        const QDate x = a.toDate(), y = b.toDate();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 'T': {
        const QTime x = a.toTime(), y = b.toTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default: {
        const double x = ValueAsFloat(a), y = ValueAsFloat(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    }
}

} // namespace vidoraw
