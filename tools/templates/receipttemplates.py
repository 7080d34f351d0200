#!/usr/bin/env python3
"""Writes the sample cash receipt templates into data/templates: ppd.dsz and vpd.dsz (report
files, one receipt in the upper 135 mm of an A4 page, so that a second copy fits 140 mm lower)
and ppd.rtf and vpd.rtf for the word processor. Code page 1250, CR LF, placeholders where the
receipt's values go. Run from the source tree's top folder when the layout changes."""
import os

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'data', 'templates')


def text(x1, y1, x2, y2, value, h=4, bold=0, fmt=36):
    return f'3,{x1:g},{y1:g},{x2:g},{y2:g},{h:g},Arial,{bold},0,0,0,0x0,{fmt},{value}'


def line(x1, y1, x2, y2, pen=0.25):
    return f'0,{x1:g},{y1:g},{x2:g},{y2:g},{pen:g},0x0'


def frame(x1, y1, x2, y2, pen=0.5):
    return f'4,{x1:g},{y1:g},{x2:g},{y2:g},{pen:g},0x0'


def receipt(kind, party):
    return [
        frame(0, 5, 195, 130),
        line(100, 5, 100, 50),
        text(2, 6, 98, 12, 'XXX_FIRMA', 5, 1),
        text(2, 13, 98, 18, 'XXX_ULICA'),
        text(2, 18, 98, 23, 'XXX_POSTA'),
        text(2, 25, 98, 30, 'IČ DPH: XXX_ICDPH'),
        text(2, 30, 98, 35, 'IČO: XXX_ICO'),
        text(102, 6, 193, 13, kind, 6, 1),
        text(102, 14, 193, 20, 'pokladničný doklad č.: XXX_CDOKLAD', 5, 1),
        text(102, 22, 193, 27, 'zo dňa: XXX_DATUM'),
        line(0, 50, 195, 50),
        text(2, 52, 193, 57, party + ' XXX_ODBFIRMA'),
        text(2, 58, 98, 63, 'IČ DPH: XXX_ODBICDPH'),
        text(102, 58, 193, 63, 'IČO: XXX_ODBICO'),
        line(0, 66, 195, 66),
        text(2, 68, 60, 73, 'Cena bez DPH:'),
        text(60, 68, 110, 73, 'XXX_BEZDPH', 4, 0, 38),
        text(2, 74, 60, 79, 'DPH(%):'),
        text(60, 74, 110, 79, 'XXX_PERC', 4, 0, 38),
        text(2, 80, 60, 85, 'DPH:'),
        text(60, 80, 110, 85, 'XXX_DPH', 4, 0, 38),
        text(2, 86, 60, 92, 'Cena s DPH:', 5, 1),
        text(60, 86, 110, 92, 'XXX_SDPH', 5, 1, 38),
        text(2, 95, 193, 100, 'Slovom: XXX_SLOVOM'),
        text(2, 102, 193, 107, 'Účel: XXX_UCEL'),
        line(0, 110, 195, 110),
        text(2, 112, 95, 117, 'Vyhotovil: XXX_VYHOTOVIL'),
        text(100, 112, 193, 117, 'Schválil: XXX_SCHVALIL'),
        text(2, 122, 95, 127, 'Podpis pokladníka:', 3.5),
        text(100, 122, 193, 127, 'Podpis príjemcu:', 3.5),
    ]


def rtf(kind, party):
    rows = [
        r'{\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0\fswiss\fcharset238 Arial;}}',
        r'\paperw11906\paperh16838\margl1134\margr1134\margt1134\margb1134\f0\fs20',
        r'{\b\fs24 XXX_FIRMA}\par',
        r'XXX_ULICA\par',
        r'XXX_POSTA\par',
        r'I\'c8 DPH: XXX_ICDPH\tab I\'c8O: XXX_ICO\par\par',
        r'{\b\fs28 ' + kind + r'} {\b pokladni\'e8n\'fd doklad \'e8.: XXX_CDOKLAD}\par',
        r'zo d\'f2a: XXX_DATUM\par\par',
        party + r' XXX_ODBFIRMA\par',
        r'I\'c8 DPH: XXX_ODBICDPH\tab I\'c8O: XXX_ODBICO\par\par',
        r'Cena bez DPH:\tab XXX_BEZDPH\par',
        r'DPH(%):\tab XXX_PERC\par',
        r'DPH:\tab XXX_DPH\par',
        r'{\b Cena s DPH:\tab XXX_SDPH}\par\par',
        r'Slovom: XXX_SLOVOM\par',
        r'\'da\'e8el: XXX_UCEL\par\par',
        r'Vyhotovil: XXX_VYHOTOVIL\tab Schv\'e1lil: XXX_SCHVALIL\par',
        r'}',
    ]
    return rows


def write(name, lines):
    data = '\r\n'.join(lines) + '\r\n'
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data.encode('cp1250'))


write('ppd.dsz', ['[STRANA]', '[STOJATO]', '[A4]'] + receipt('PRÍJMOVÝ', 'Prijaté od:'))
write('vpd.dsz', ['[STRANA]', '[STOJATO]', '[A4]'] + receipt('VÝDAVKOVÝ', 'Vyplatené:'))
write('ppd.rtf', rtf(r'PR\'cdJMOV\'dd', r'Prijat\'e9 od:'))
write('vpd.rtf', rtf(r'V\'ddDAVKOV\'dd', r'Vyplaten\'e9:'))
