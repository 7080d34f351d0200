// Any bytes as a table of the DOS program: refused with a reason, or read in every record and
// field without reading past the file; never a crash or a hang.
#include "maintenance/dbffile.h"

#include <cstddef>
#include <cstdint>

using namespace vidoraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DbfFile table;
    QString error;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!table.load(bytes, &error)) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const int fields = int(table.fields().size());
    for (int r = 0; r < table.recordCount(); ++r) {
        table.isDeleted(r);
        for (int f = 0; f < fields; ++f) {
            QByteArray text;
            QString why;
            if (table.raw(r, f).size() != table.fields()[f].length)
                __builtin_trap();
            if (!table.text(r, f, text, &why) && why.isEmpty())
                __builtin_trap();
        }
    }
    return 0;
}
