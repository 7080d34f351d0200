#pragma once
// A .csv file as a workbook of one sheet: fields separated by ";", tab, "|" or "," (whichever
// the first line uses most), quoted with '"' where they hold one; UTF-8 (with or without its
// mark), UTF-16 with its mark, else code page 1250. Every cell is text.
#include "framework/spreadsheetimport.h"

#include <QByteArray>

namespace vidoraw {

// sheetName: the one sheet's name (the file's base name, as spreadsheets call it). A text file
// has no sheet names of its own: any name asked for reads that sheet.
std::unique_ptr<Workbook> OpenCsvWorkbook(const QByteArray& bytes, const QString& sheetName,
                                          QString* error);

// The separator of a text's first line.
QChar CsvSeparator(QStringView text);

} // namespace vidoraw
