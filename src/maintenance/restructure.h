#pragma once
// Changing a table's layout: fields added at given positions with a value for every existing
// record, fields resized or removed; the records copied into the new layout through a scratch
// table. Run inside the caller's write, so that it counts only when the caller commits.
#include "core/engine/database.h"

#include <functional>

namespace vidoraw {

struct FieldAddition {
    QString definition;    // "NAME,TYPE,SIZE"
    int position = -1;     // 0-based; outside the field list: at the end
    QString defaultValue;  // what every copied record gets; empty: left blank
};

enum class RestructureResult { Failed = -1, NotFound = 0, NothingToDo = 1, Converted = 2 };

// protocol hears each line; replaceLast is true for a progress line that replaces the
// previous progress line.
using ProtocolSink = std::function<void(const QString& line, bool replaceLast)>;

RestructureResult RestructureTable(Database& db, const QString& fileName,
                                   const QList<FieldAddition>& additions,
                                   const QStringList& removals, const ProtocolSink& protocol,
                                   QString* error);

} // namespace vidoraw
