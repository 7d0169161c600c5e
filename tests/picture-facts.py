# Prints what a written lock screen picture is, read here without Windows' codecs:
#   PNG <width> <height> <bit depth> <palette as rrggbb,...> <box of ink pixels x0 y0 x1 y1>
#   JPEG <width> <height> <"marked" or "unmarked">
# The ink is the palette's first colour (a PNG of one or eight bits per pixel; another
# kind of PNG gets no box).
import struct, sys, zlib

data = open(sys.argv[1], 'rb').read()
if data[:8] == b'\x89PNG\r\n\x1a\n':
    at, chunks = 8, {}
    idat = b''
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IDAT':
            idat += body
        else:
            chunks.setdefault(kind, body)
        at += 12 + length
    width, height, depth, colour = struct.unpack('>IIBB', chunks[b'IHDR'][:10])
    palette = chunks.get(b'PLTE', b'')
    colours = ','.join(palette[i:i + 3].hex() for i in range(0, len(palette), 3))
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    step = max(1, channels * depth // 8)
    stride = (width * channels * depth + 7) // 8
    raw = zlib.decompress(idat)
    previous = bytearray(stride)
    box = [width, height, -1, -1]
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1: row[i] = (row[i] + left) & 255
            elif kind == 2: row[i] = (row[i] + up) & 255
            elif kind == 3: row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        previous = row
        for x in range(width if colour == 3 else 0):  # the ink's box of a palette picture only
            if (row[x * depth // 8] >> (8 - depth - (x * depth) % 8)) & ((1 << depth) - 1) == 0:
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
    print('PNG', width, height, depth, colours, *box)
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
