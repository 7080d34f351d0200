// Any bytes as a published code-list file of each kind and as a CSV code list: read whole and
// accepted, or refused with a message; never a crash or a hang.
#include "codelists/importfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace vidoraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const FieldDefs aids{{"KOD", 'F', 0},     {"KODPOM", 'A', 5},  {"NAZOV", 'A', 50},
                                {"DOPLNOK", 'A', 80}, {"MJ", 'A', 3},      {"VYROBCA", 'A', 3},
                                {"KRAJINA", 'A', 3}, {"OBMEDZ", 'A', 50}, {"OBMEDZ1", 'A', 50},
                                {"DOBA", 'A', 10},   {"KATEG", 'A', 1},   {"JKPOV", 'A', 15},
                                {"ODBORKOD", 'A', 7}, {"DATUMPZ", 'D', 0}, {"MODIF", 'A', 4},
                                {"CENAMF", 'F', 0},  {"CENAPOI", 'F', 0}, {"CENA", 'F', 0},
                                {"DPH", 'I', 0}};
    static const FieldDefs diagnoses{{"KOD", 'F', 0}, {"KODD", 'A', 4}, {"NAZOV", 'A', 70},
                                     {"DLZKA", 'N', 0}};
    const QString path = dir.filePath(QStringLiteral("input"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const auto check = [](bool ok, const ImportData& out, const ImportProblem& problem) {
        if (!ok && problem.text.isEmpty())
            __builtin_trap();
        if (ok && int(out.records.size()) > out.lineCount)
            __builtin_trap();
    };
    for (const char* kind : {"228", "268", "335"}) {
        ImportData out;
        ImportProblem problem;
        const FieldDefs& fields = QByteArray(kind) == "228" ? diagnoses : aids;
        check(ReadPublishedFile(path, QString::fromLatin1(kind), fields, out, problem), out,
              problem);
    }
    ImportData out;
    ImportProblem problem;
    check(ReadCodeListCsv(path, QStringLiteral("KODPOM"), aids, out, problem), out, problem);
    return 0;
}
