#pragma once
// A workbook of the older binary form (.xls, BIFF) read through freexl: texts (freexl gives
// them as UTF-8 whatever the file's code page), numbers and dates.
#include "framework/spreadsheetimport.h"

namespace vidoraw {

std::unique_ptr<Workbook> OpenXlsWorkbook(const QString& path, QString* error);

} // namespace vidoraw
