#pragma once
// Conversion of values to a field's type, and between the interface and storage forms.
// In memory a value is a QVariant: invalid/null = blank; QString for A and M; qint64 for I and
// N; double for F; bool for L; QDate for D; QTime for T.
#include "core/engine/fielddef.h"

#include <QDate>
#include <QVariant>

namespace vidoraw {

// Day 0 of the interface's day counts.
inline QDate DayZero() { return QDate(1899, 12, 30); }

// Converts a value given as text, number, date, ... to the field's type. Empty text for a
// non-text field is blank. Too-long text is cut to the field's size. False with a message when
// the value does not fit the type.
bool ConvertToField(const FieldDef& def, const QVariant& in, QVariant& out, QString* error);

// Storage form for SQL and back.
QVariant ToStorage(const FieldDef& def, const QVariant& value);
QVariant FromStorage(const FieldDef& def, const QVariant& stored);

// Reading a value as another type (a blank reads as "", 0, day 0, false).
QString ValueAsString(const FieldDef& def, const QVariant& v);
qint64 ValueAsInteger(const QVariant& v);
double ValueAsFloat(const QVariant& v);
bool ValueAsBool(const QVariant& v);
double ValueAsDays(const QVariant& v);

// Three-way comparison in a field's order; blanks first.
int CompareFieldValues(const FieldDef& def, const QVariant& a, const QVariant& b,
                       bool caseInsensitive);

} // namespace vidoraw
