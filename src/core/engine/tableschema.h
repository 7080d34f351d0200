#pragma once
// A table as data: its fields, its indexes and the rows a new table starts with. Every module
// states its table this way, so reindexing, upgrades and archives reach it without a window.
#include "core/engine/fielddef.h"

#include <QStringList>

namespace vidoraw {

struct TableSchema {
    FieldDefs fields;
    IndexDefs indexes;
    // "value|value|rest": every field but the last takes the text up to the next "|".
    QStringList initialRows;
};

} // namespace vidoraw
