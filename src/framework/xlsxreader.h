#pragma once
// A workbook in the Office Open XML form (.xlsx): the zip opened by our own reader, its parts read
// as XML streams. Shared and inline strings, numbers, logical values, error values, dates by
// their number format (1900 and 1904 date systems) and ISO dates.
#include "framework/spreadsheetimport.h"

#include <QByteArray>

namespace vidoraw {

// bytes: the whole file; path names it in messages. Reads the workbook's list of sheets and
// the number formats now, each sheet's cells when asked for.
std::unique_ptr<Workbook> OpenXlsxWorkbook(const QByteArray& bytes, const QString& path,
                                           QString* error);

// Whether a number format code shows a date ('D'), a time ('T'), both ('X') or neither (0).
char DateKindOfFormat(int formatId, const QString& formatCode);

} // namespace vidoraw
