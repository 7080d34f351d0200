#!/usr/bin/env python3
"""Writes the sample invoice templates (fa1, fa12, fa2, fadph1, fadph12, fadph2) into
data/templates: report files in code page 1250 with CR LF, placeholders where the invoice's
values go. Run from the source tree's top folder when the layout changes."""
import os

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'data', 'templates')


def text(x1, y1, x2, y2, value, h=4, bold=0, fmt=36):
    return f'3,{x1:g},{y1:g},{x2:g},{y2:g},{h:g},Arial,{bold},0,0,0,0x0,{fmt},{value}'


def line(x1, y1, x2, y2, pen=0.25):
    return f'0,{x1:g},{y1:g},{x2:g},{y2:g},{pen:g},0x0'


def frame(x1, y1, x2, y2, pen=0.5):
    return f'4,{x1:g},{y1:g},{x2:g},{y2:g},{pen:g},0x0'


def header(vat):
    out = [
        text(0, 5, 195, 13, 'XXX_FAKTURADOBROPIS', 7, 1, 38),
        text(0, 5, 60, 10, 'XXX_STRANA', 4),
        frame(0, 14, 195, 74),
        line(97, 14, 97, 74),
        text(2, 15, 95, 20, 'Dodávateľ:', 4, 1),
        text(2, 20, 95, 26, 'XXX_FIRMADOD', 5, 1),
        text(2, 26, 95, 31, 'XXX_MENODOD'),
        text(2, 31, 95, 36, 'XXX_ADR1DOD'),
        text(2, 36, 95, 41, 'XXX_ADR3DOD XXX_ADR2DOD'),
        text(2, 41, 95, 46, 'XXX_ADR4DOD'),
        text(2, 47, 95, 52, 'IČO: XXX_ICODOD'),
        text(2, 52, 95, 57, 'DIČ: XXX_DICDOD'),
        text(2, 62, 95, 67, 'XXX_BANKA'),
        text(2, 67, 95, 72, 'Účet: XXX_UCET'),
        text(99, 15, 193, 21, 'XXX_CISLOFD XXX_CISFAKTU', 5, 1),
        text(99, 21, 193, 26, 'Konštantný symbol: XXX_KONSTS'),
        text(99, 28, 193, 33, 'Odberateľ:', 4, 1),
        text(99, 33, 193, 39, 'XXX_FIRMAODB', 5, 1),
        text(99, 39, 193, 44, 'XXX_MENOODB'),
        text(99, 44, 193, 49, 'XXX_ADR1ODB'),
        text(99, 49, 193, 54, 'XXX_ADR3ODB XXX_ADR2ODB'),
        text(99, 54, 193, 59, 'XXX_ADR4ODB'),
        text(99, 59, 193, 64, 'IČO: XXX_ICOODB   DIČ: XXX_DICODB'),
        frame(0, 75, 195, 92),
        text(2, 76, 65, 81, 'Dátum vystavenia: XXX_DATVYS'),
        text(66, 76, 130, 81, 'Dátum splatnosti: XXX_DATSPL'),
        text(131, 76, 193, 81, 'Dátum dodania: XXX_DATDOD'),
        text(2, 81, 95, 86, 'Forma úhrady: XXX_FORMAUHR'),
        text(2, 86, 193, 91, 'XXX_REGCISLO', 3.5),
    ]
    if vat:
        out += [text(2, 52, 95, 57, 'IČ DPH: XXX_ICDPHDOD', 4),
                text(99, 64, 193, 69, 'IČ DPH: XXX_ICDPHODB'),
                text(2, 57, 95, 62, 'SWIFT: XXX_SWIFT  IBAN: XXX_IBAN', 3.5)]
    return out


def columns(y, vat):
    if vat:
        heads = [(2, 80, 'Označenie dodávky', 36), (80, 95, 'Množstvo', 38), (96, 104, 'MJ', 37),
                 (104, 124, 'Cena bez DPH', 38), (124, 134, '% DPH', 37),
                 (134, 152, 'DPH / MJ', 38), (152, 172, 'Spolu bez DPH', 38),
                 (172, 193, 'Spolu s DPH', 38)]
    else:
        heads = [(2, 110, 'Označenie dodávky', 36), (110, 130, 'Množstvo', 38),
                 (131, 141, 'MJ', 37), (141, 165, 'Jedn. cena', 38),
                 (165, 193, 'Celkom v XXX_MENA', 38)]
    return [text(x1, y, x2, y + 5, t, 3.5, 1, f) for x1, x2, t, f in heads] + \
        [line(0, y + 5.5, 195, y + 5.5)]


def lines(y, count, vat):
    out = []
    for i in range(1, count + 1):
        n = f'{i:02d}'
        top, bottom = y + 4.5 * (i - 1), y + 4.5 * i
        if vat:
            cells = [(2, 80, 'XXX_POPIS', 36), (80, 95, 'XXX_MNOZSTVO', 38), (96, 104, 'XXX_MJ', 37),
                     (104, 124, 'XXX_1JC', 38), (124, 134, 'XXX_PERC', 37),
                     (134, 152, 'XXX_DPHJC', 38), (152, 172, 'XXX_SPOLU', 38),
                     (172, 193, 'XXX_SPOLJC', 38)]
        else:
            cells = [(2, 110, 'XXX_POPIS', 36), (110, 130, 'XXX_MNOZSTVO', 38),
                     (131, 141, 'XXX_MJ', 37), (141, 165, 'XXX_JC', 38),
                     (165, 193, 'XXX_SPOLU', 38)]
        out += [text(x1, top, x2, bottom, p + n, 3.5, 0, f) for x1, x2, p, f in cells]
    return out


def totals(y, vat, further):
    if not vat:
        label = 'XXX_CELKOM' if further else 'Celkom k úhrade:'
        out = [frame(0, y, 195, y + 24),
               text(6, y + 2, 120, y + 8, label, 5, 1),
               text(125, y + 2, 178, y + 8, 'XXX_CIASTKA', 5, 1, 38),
               text(180, y + 2, 193, y + 8, 'XXX_MENA', 5, 1, 37),
               text(6, y + 8, 120, y + 13, 'Zaokrúhlenie: XXX_ZAOKRUH', 4)]
        if further:
            out += [text(6, y + 14, 120, y + 19, 'XXX_CVDPH', 4)]
        return out
    l = (lambda name, plain: name if further else plain)
    out = [frame(0, y, 195, y + 40)]
    rows = [(l('XXX_LOSLOBODENE', 'Oslobodené od DPH'), '1'),
            (l('XXX_LSADZBAD', 'Sadzba dane:') + ' XXX_PERC2 ' + l('XXX_LPERC', '%'), '2'),
            (l('XXX_LMSADZBAD', 'Sadzba dane:') + ' XXX_PERC3 ' + l('XXX_LPERC', '%'), '3')]
    for i, (label, k) in enumerate(rows):
        top = y + 1 + 5 * i
        out += [text(6, top, 70, top + 5, label),
                text(72, top, 100, top + 5, l('XXX_LMCENABD', 'Cena bez dane:')),
                text(100, top, 130, top + 5, 'XXX_BEZDANE' + k, 4, 0, 38),
                text(135, top, 150, top + 5, l('XXX_LMDPH', 'DPH:'), 4, 0, 37),
                text(150, top, 178, top + 5, 'XXX_DAN' + k, 4, 0, 38),
                text(180, top, 193, top + 5, 'XXX_MSMENA', 4, 0, 37)]
    top = y + 16
    out += [text(6, top, 70, top + 5, l('XXX_LSPOLU', 'S P O L U:'), 4, 1),
            text(100, top, 130, top + 5, 'XXX_BEZDANESPOLU', 4, 1, 38),
            text(150, top, 178, top + 5, 'XXX_DANSPOLU', 4, 1, 38),
            text(6, top + 5, 70, top + 10, l('XXX_LZAOKRUH', 'Zaokrúhlenie:')),
            text(150, top + 5, 178, top + 10, 'XXX_ZAOKRUH', 4, 0, 38),
            text(6, top + 11, 90, top + 17, l('XXX_LCKU', 'Celkom k úhrade:'), 5, 1),
            text(125, top + 11, 178, top + 17, 'XXX_CIASTKA', 5, 1, 38),
            text(180, top + 11, 193, top + 17, 'XXX_MENA', 5, 1, 37)]
    if further:
        out += [text(6, top + 18, 120, top + 23, 'XXX_CVDPH', 4)]
    return out


def footer(y, further):
    if further:
        return [text(2, y, 60, y + 5, 'XXX_LPP XXX_PP'),
                text(62, y, 193, y + 5, 'XXX_LVYSTAVIL XXX_VYSTAVIL'),
                text(2, y + 5, 120, y + 10, 'XXX_CFVS', 3.5),
                text(130, y + 5, 193, y + 10, 'XXX_PAP')]
    return [text(2, y, 60, y + 5, 'Počet príloh: 0'),
            text(62, y, 193, y + 5, 'Vystavil: XXX_VYSTAVIL'),
            text(2, y + 5, 120, y + 10, 'Číslo faktúry uvádzajte ako variabilný symbol', 3.5),
            text(130, y + 5, 193, y + 10, 'Pečiatka a podpis')]


def subtotal_line(y, vat):
    if vat:
        return [text(6, y, 90, y + 5, 'Medzisúčet: XXX_MSZAKLAD XXX_MSMENA  DPH: XXX_MSDAN', 3.5)]
    return []


def write(name, body):
    data = '\r\n'.join(['[STRANA]', '[STOJATO]', '[A4]'] + body) + '\r\n'
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data.encode('cp1250'))


for vat, prefix in ((False, 'fa'), (True, 'fadph')):
    first = header(vat) + columns(93, vat) + lines(99.5, 25, vat)
    write(prefix + '1.dsz', first + totals(215, vat, False) + footer(258, False))
    write(prefix + '12.dsz', first + subtotal_line(214, vat) + totals(220, vat, False) +
          footer(263, False))
    write(prefix + '2.dsz', [text(0, 5, 60, 10, 'XXX_STRANA', 4)] + columns(12, vat) +
          lines(18.5, 41, vat) + subtotal_line(204, vat) + totals(210, vat, True) +
          footer(255, True))
