# Prints what a written lock screen picture is, read here without Windows' codecs:
#   PNG <width> <height> <bit depth> <palette as rrggbb,...> <box of ink pixels x0 y0 x1 y1>
#   JPEG <width> <height> <"marked" or "unmarked">
# The ink is the palette's first colour. Only a palette PNG whose rows are unfiltered (what
# libpng writes for one bit per pixel) gets a box; any other says so.
import struct, sys, zlib

data = open(sys.argv[1], 'rb').read()
if data[:8] == b'\x89PNG\r\n\x1a\n':
    at, chunks, idat = 8, {}, b''
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        if kind == b'IDAT':
            idat += data[at + 8:at + 8 + length]
        chunks.setdefault(kind, data[at + 8:at + 8 + length])
        at += 12 + length
    width, height, depth, colour = struct.unpack('>IIBB', chunks[b'IHDR'][:10])
    palette = chunks.get(b'PLTE', b'')
    stride = (width * depth + 7) // 8
    raw = zlib.decompress(idat)
    box = [width, height, -1, -1]
    for y in range(height):
        row = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        if colour != 3 or row[0] != 0:
            box = ['no', 'box', 'read', '']
            break
        for x in range(width):
            if (row[1 + x * depth // 8] >> (8 - depth - (x * depth) % 8)) & ((1 << depth) - 1) == 0:
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
    print('PNG', width, height, depth, ','.join(palette[i:i + 3].hex() for i in range(0, len(palette), 3)), *box)
elif data[:2] == b'\xff\xd8':
    at, size = 2, None
    marked = data[2:4] == b'\xff\xfe' and b'Murvex' in data[6:30]
    while at + 4 <= len(data) and size is None:
        marker, length = data[at + 1], struct.unpack('>H', data[at + 2:at + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack('>HH', data[at + 5:at + 9])
            size = (width, height)
        at += 2 + length
    print('JPEG', size[0], size[1], 'marked' if marked else 'unmarked')
else:
    print('UNKNOWN')
