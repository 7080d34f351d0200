// Any bytes as a workbook (.xlsx, .csv): every sheet read, or refused with a message; never a
// crash or a hang. Binary .xls files are read by freexl, which is left out here: it has faults
// of its own on broken files that this target would only find again.
#include "framework/spreadsheetimport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace vidoraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    for (const char* name : {"input.xlsx", "input.csv"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return 0;
            f.write(reinterpret_cast<const char*>(data), qint64(size));
        }
        QString error;
        if (size >= 4 && data[0] == 0xD0 && data[1] == 0xCF && data[2] == 0x11 && data[3] == 0xE0)
            return 0;
        std::unique_ptr<Workbook> book = Workbook::open(path, &error);
        if (!book) {
            if (error.isEmpty())
                __builtin_trap();
            continue;
        }
        const QStringList sheets = book->sheetNames();
        for (qsizetype i = 0; i < sheets.size() && i < 4; ++i) {
            SheetRequest request{sheets[i], 1, 100, {1, 2, 3, 5, 8, 16384}};
            SheetCells cells;
            QString why;
            if (!book->readCells(request, cells, &why) && why.isEmpty())
                __builtin_trap();
        }
    }
    return 0;
}
