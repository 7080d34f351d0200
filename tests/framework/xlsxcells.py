#!/usr/bin/env python3
"""Reads an .xlsx workbook with openpyxl, a reader of its own, and prints what the tests check
as JSON: the sheet names, and for every cell of the first sheet that holds a value or a format
its name, value type (str, number, date, empty), value and number format; the column widths."""
import datetime
import json
import sys

import openpyxl


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            value = cell.value
            if value is None and cell.number_format == "General":
                continue
            if value is None:
                kind, shown = "empty", None
            elif isinstance(value, str):
                kind, shown = "str", value
            elif isinstance(value, bool):
                kind, shown = "bool", value
            elif isinstance(value, (int, float)):
                kind, shown = "number", float(value)
            elif isinstance(value, (datetime.datetime, datetime.date)):
                kind, shown = "date", value.strftime("%d.%m.%Y")
            else:
                kind, shown = type(value).__name__, str(value)
            cells[cell.coordinate] = {"type": kind, "value": shown, "format": cell.number_format}
    widths = {letter: dim.width for letter, dim in sheet.column_dimensions.items() if dim.width}
    json.dump({"sheets": book.sheetnames, "cells": cells, "widths": widths}, sys.stdout,
              ensure_ascii=False)


if __name__ == "__main__":
    main()
