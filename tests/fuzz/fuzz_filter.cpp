// Any bytes as a filter expression: a clear error or a condition, never a crash or a hang.
#include "core/engine/filterexpr.h"
#include "core/engine/sqldialect.h"

#include <cstddef>
#include <cstdint>

using namespace vidoraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FieldDefs fields{{"KOD", 'N', 0},   {"PRIEZ", 'A', 20}, {"DATNAR", 'D', 0},
                                  {"SUMA", 'F', 0},  {"POCET", 'I', 0},  {"PLATCA", 'L', 0},
                                  {"CAS", 'T', 0},   {"POZN", 'M', 0}};
    static const SqliteDialect dialect;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    CompiledFilter out;
    QString error;
    if (CompileFilter(text, fields, dialect, out, &error)) {
        // Every constant is bound: the count of placeholders matches the values.
        if (out.sql.count('?') != out.binds.size())
            __builtin_trap();
    } else if (error.isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
