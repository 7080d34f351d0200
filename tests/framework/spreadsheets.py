#!/usr/bin/env python3
"""Workbooks for the spreadsheet import tests, written by programs other than ours.

    spreadsheets.py OUTDIR

openpyxl.xlsx, openpyxl-iso.xlsx (dates as ISO texts) and xlwt.xls hold the same people on
the sheet "Údaje" behind a sheet "Prvý"; inline.xlsx is put together by hand (inline and rich
strings, formula texts, logical and error values, the 1904 date system, own number formats);
the rest are broken on purpose.
"""
import datetime
import io
import os
import random
import sys
import zipfile

out = sys.argv[1]

HEADER = ["Kód", "Priezvisko", "Obec", "Narodený", "Počet", "Cena"]
PEOPLE = [
    [10, "Šťastný", "Žilina", datetime.date(1955, 3, 15), 2, 2.5],
    [11, "Ďurčo", 12345, datetime.date(2000, 1, 1), 0, 3],
    None,  # an empty row
    [13, "Ľudová Ňa", 2.75, datetime.datetime(2024, 2, 29, 0, 0), 7, 0.1],
    [14, "Äčô", "Trenčín", None, None, None],
]


def path(name):
    return os.path.join(out, name)


def openpyxl_books():
    import openpyxl

    for name, iso in (("openpyxl.xlsx", False), ("openpyxl-iso.xlsx", True)):
        book = openpyxl.Workbook(iso_dates=iso)
        first = book.active
        first.title = "Prvý"
        first["A1"] = "nič"
        first["B2"] = 99
        sheet = book.create_sheet("Údaje")
        sheet.append(HEADER)
        for row in PEOPLE:
            sheet.append(row if row else [])
        for cell in sheet["D"][1:]:
            if cell.value is not None:
                cell.number_format = "dd.mm.yyyy"
        book.save(path(name))


def xlwt_book():
    import xlwt

    book = xlwt.Workbook(encoding="utf-8")
    first = book.add_sheet("Prvý")
    first.write(0, 0, "nič")
    sheet = book.add_sheet("Údaje")
    date = xlwt.easyxf(num_format_str="dd.mm.yyyy")
    for c, title in enumerate(HEADER):
        sheet.write(0, c, title)
    for r, row in enumerate(PEOPLE, start=1):
        for c, value in enumerate(row or []):
            if value is None:
                continue
            if isinstance(value, (datetime.date, datetime.datetime)):
                sheet.write(r, c, value, date)
            else:
                sheet.write(r, c, value)
    book.save(path("xlwt.xls"))


CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr date1904="1"/>
<sheets><sheet name="List1" sheetId="1" r:id="rId7"/></sheets>
</workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/>
<Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>"""
# Cell formats: 0 general, 1 an own date format, 2 a date with time, 3 a time, 4 an amount
# whose format only quotes a "d".
STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="3"><numFmt numFmtId="164" formatCode="[$-41B]d\\.\\ mmmm\\ yyyy"/>
<numFmt numFmtId="165" formatCode="0.00&quot; dní&quot;"/>
<numFmt numFmtId="166" formatCode="[h]:mm"/></numFmts>
<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>
<cellXfs count="6"><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="22"/><xf numFmtId="166"/><xf numFmtId="165"/></cellXfs>
</styleSheet>"""
SHARED = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2">
<si><t>Nitra</t></si>
<si><r><rPr><b/></rPr><t xml:space="preserve">Nové </t></r><r><t>Zámky</t></r><rPh sb="0" eb="1"><t>ignored</t></rPh></si>
</sst>"""


def sheet_xml(rows, dimension="A1:F3", prefix=""):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>' + prefix +
            '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
            '<dimension ref="%s"/><sheetData>%s</sheetData></worksheet>' % (dimension, rows))


INLINE_ROWS = (
    '<row r="2">'
    '<c r="A2" t="inlineStr"><is><r><t>Ko</t></r><r><rPr><i/></rPr><t>váč</t></r></is></c>'
    '<c r="B2" t="str"><f>"Ni"&amp;"tra"</f><v>Nitra</v></c>'
    '<c r="C2" s="1"><v>36525</v></c>'
    '<c r="D2" t="b"><v>1</v></c>'
    '<c r="E2" s="4"><v>12</v></c>'
    '<c r="F2" s="2"><v>0.75</v></c>'
    '</row>'
    '<row r="3">'
    '<c r="A3" t="s"><v>1</v></c>'
    '<c t="s"><v>0</v></c>'          # no reference: the next column, B3
    '<c r="C3" s="3"><v>1.5</v></c>'
    '<c r="D3" t="e"><v>#N/A</v></c>'
    '<c r="E3" t="inlineStr"><is><t>a_x000D_b</t></is></c>'
    '<c r="F3" t="d"><v>2024-02-29T00:00:00</v></c>'
    '</row>')


def hand_made(name, sheet, shared=SHARED, entries=None):
    with zipfile.ZipFile(path(name), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", WORKBOOK)
        z.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        z.writestr("xl/styles.xml", STYLES)
        z.writestr("xl/sharedStrings.xml", shared)
        z.writestr("xl/worksheets/sheet1.xml", sheet)
        for entry, text in (entries or {}).items():
            z.writestr(entry, text)


def broken():
    rnd = random.Random(16)
    good = open(path("openpyxl.xlsx"), "rb").read()
    open(path("truncated.xlsx"), "wb").write(good[: len(good) // 2])
    open(path("garbage.xlsx"), "wb").write(bytes(rnd.randrange(256) for _ in range(5000)))
    open(path("zipheader.xlsx"), "wb").write(b"PK\x03\x04" + bytes(rnd.randrange(256) for _ in range(3000)))
    open(path("empty.xlsx"), "wb").write(b"")
    with zipfile.ZipFile(path("noworkbook.xlsx"), "w") as z:
        z.writestr("hello.txt", "ahoj")
    hand_made("badxml.xlsx", sheet_xml('<row r="2"><c r="A2"><v>1</v></c></row>')[:-30] + "<<&&")
    hand_made("dtd.xlsx", sheet_xml('<row r="2"><c r="A2" t="inlineStr"><is><t>&a;</t></is></c></row>',
                                    prefix='<!DOCTYPE worksheet [<!ENTITY a "aaaaaaaaaa">]>'))
    hand_made("badref.xlsx", sheet_xml('<row r="2"><c r="A1048577"><v>1</v></c></row>'))
    hand_made("badrow.xlsx", sheet_xml('<row r="-5"><c><v>1</v></c></row>'))
    hand_made("badsst.xlsx", sheet_xml('<row r="2"><c r="B2" t="s"><v>99</v></c></row>'))
    hand_made("badnumber.xlsx", sheet_xml('<row r="2"><c r="B2"><v>1,5x</v></c></row>'))
    # A sheet claiming the largest size there is, with its last cell filled: only row 2 is read.
    hand_made("hugedim.xlsx", sheet_xml(
        '<row r="2"><c r="A2" t="inlineStr"><is><t>Malý</t></is></c></row>'
        '<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>', dimension="A1:XFD1048576"))
    xls = open(path("xlwt.xls"), "rb").read()
    open(path("truncated.xls"), "wb").write(xls[:1000])
    open(path("garbage.xls"), "wb").write(xls[:8] + bytes(rnd.randrange(256) for _ in range(4000)))
    open(path("text.xls"), "wb").write("Meno;Obec\r\nNovák;Nitra\r\n".encode("cp1250"))


openpyxl_books()
xlwt_book()
hand_made("inline.xlsx", sheet_xml(INLINE_ROWS))
broken()
