#pragma once
// The one record of SYSTEM.DB (module 1): program-wide settings every part of the program reads
// and a few write. All reading and writing of it goes through here.
#include "framework/appcontext.h"

#include <QList>
#include <QVariant>
#include <utility>

namespace vidoraw {

// A field of the system record as text ("" when the table, the record or the field is missing).
QString SystemField(AppContext& app, const QString& field);
// A flag of the system record: true for "A".
bool SystemFlag(AppContext& app, const QString& field);
// Writes fields of the system record under the write lock; false after the save message.
bool WriteSystemFields(AppContext& app, const QList<std::pair<QString, QVariant>>& values,
                       QWidget* owner = nullptr);
// The system table on its record; nullptr when it cannot be opened.
Table* SystemTable(AppContext& app);

} // namespace vidoraw
