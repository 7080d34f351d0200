#include "core/engine/fielddef.h"

namespace vidoraw {

QString FieldDef::toText() const {
    return name + ',' + QChar::fromLatin1(type) + ',' + QString::number(size);
}

bool FieldDef::fromText(const QString& text, FieldDef& out) {
    const QStringList parts = text.split(',');
    if (parts.size() < 2 || parts[0].trimmed().isEmpty() || parts[1].trimmed().size() != 1)
        return false;
    const char t = parts[1].trimmed().at(0).toUpper().toLatin1();
    if (!QByteArray("AINLFDTMU").contains(t))
        return false;
    out.name = parts[0].trimmed();
    out.type = t;
    out.size = parts.size() > 2 ? parts[2].trimmed().toInt() : 0;
    return true;
}

QString IndexDef::options() const {
    QString s;
    if (primary)
        s += 'P';
    if (unique)
        s += 'U';
    if (descending)
        s += 'D';
    if (caseInsensitive)
        s += 'C';
    return s;
}

void IndexDef::setOptions(const QString& letters) {
    const QString l = letters.toUpper();
    primary = l.contains('P');
    unique = l.contains('U') || primary;
    descending = l.contains('D');
    caseInsensitive = l.contains('C');
}

IndexDef IndexDef::Primary(const QStringList& fields) {
    IndexDef d;
    d.fields = fields;
    d.primary = true;
    d.unique = true;
    return d;
}

IndexDef IndexDef::Secondary(const QString& name, const QStringList& fields, bool ci) {
    IndexDef d;
    d.name = name;
    d.fields = fields;
    d.caseInsensitive = ci;
    return d;
}

QStringList SplitFieldList(const QString& fields) {
    QStringList out;
    for (const QString& f : fields.split(';', Qt::SkipEmptyParts)) {
        const QString t = f.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

int FindField(const FieldDefs& defs, const QString& name) {
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString SqlTableName(const QString& fileName) {
    QString base = fileName.trimmed();
    const int slash = base.lastIndexOf('/');
    if (slash >= 0)
        base = base.mid(slash + 1);
    const int dot = base.indexOf('.');
    if (dot >= 0)
        base = base.left(dot);
    return base.toUpper();
}

} // namespace vidoraw
