# A screen dump of xwd (24-bit, ZPixmap) as PNG, for the keyboard runs: xwd2png.py IN.xwd OUT.png
import struct, sys, zlib
d = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', d[:100])
hsize, w, hgt, bpl, ncol = h[0], h[4], h[5], h[12], h[19]
off = hsize + ncol * 12
raw = b''
for y in range(hgt):
    row = d[off + y * bpl: off + y * bpl + w * 4]
    raw += b'\0' + bytes(b for i in range(0, len(row), 4) for b in (row[i+2], row[i+1], row[i]))
def chunk(t, b): return struct.pack('>I', len(b)) + t + b + struct.pack('>I', zlib.crc32(t + b) & 0xffffffff)
open(sys.argv[2], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, hgt, 8, 2, 0, 0, 0)) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
