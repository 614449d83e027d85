#!/usr/bin/env python3
"""Draws the two built-in language-menu pictures (create and edit a language)
as 16x16 24-bit bitmap files and prints them as picture text for
wordmill/sys/FlagPictures.cpp.

Picture text: a space and the characters from "8" up stand for their own
code, "&" for 0, any other byte is written as two characters "(" + high
nibble and "(" + low nibble; "!" + count + byte repeats a byte count + 1 times.
"""
import struct

SIZE = 16
WHITE = (255, 255, 255)
FRAME = (112, 112, 112)
TILE = (244, 246, 250)


def tile():
    img = [[WHITE] * SIZE for _ in range(SIZE)]
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            edge = x in (1, SIZE - 2) or y in (1, SIZE - 2)
            img[y][x] = FRAME if edge else TILE
    return img


def create_picture():
    img = tile()
    green, dark = (46, 160, 67), (24, 110, 40)
    for i in range(4, 12):
        for j in (7, 8):
            img[i][j] = green
            img[j][i] = green
    for i in (4, 11):
        for j in (7, 8):
            img[i][j] = dark
            img[j][i] = dark
    return img


def edit_picture():
    img = tile()
    body, edge, eraser, wood, lead = (250, 200, 40), (190, 130, 20), (230, 110, 120), (235, 205, 160), (40, 40, 40)
    # A pencil from the upper right to the lower left (rows counted from the top).
    for t in range(3, 13):
        x, y = t, 15 - t
        for dx, dy, colour in ((0, 0, body), (1, 0, edge), (0, -1, edge)):
            px, py = x + dx, y + dy
            if 2 <= px <= 13 and 2 <= py <= 13:
                img[py][px] = colour
    for x, y in ((12, 3), (13, 3), (12, 2), (11, 2)):
        if 2 <= y <= 13:
            img[y][x] = eraser
    img[12][3] = wood
    img[11][3] = wood
    img[12][4] = wood
    img[13][2] = lead
    img[12][2] = lead
    img[13][3] = lead
    return img


def bitmap(img):
    rows = b''
    for row in reversed(img):  # bottom-up
        rows += b''.join(bytes((b, g, r)) for (r, g, b) in row)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def byte_text(b):
    if b == 32 or 56 <= b <= 126:
        return chr(b)
    if b == 0:
        return '&'
    return chr(40 + (b >> 4)) + chr(40 + (b & 15))


def count_text(count):
    if 1 <= count <= 87:
        return chr(39 + count)
    number, digits = count - 87, []
    while number:
        digits.append(number % 88)
        number //= 88
    return chr(32 + len(digits)) + ''.join(chr(39 + d) for d in reversed(digits))


def picture_text(data):
    out, i = [], 0
    while i < len(data):
        j = i
        while j < len(data) and data[j] == data[i]:
            j += 1
        length = j - i
        single = byte_text(data[i])
        if length >= 3 and len(single) * length > 2 + len(single):
            out.append('!' + count_text(length - 1) + single)
        else:
            out.append(single * length)
        i = j
    return ''.join(out)


def cpp_literal(name, text):
    lines = [text[i:i + 90] for i in range(0, len(text), 90)]
    body = '\n'.join('        u"' + l.replace('\\', '\\\\').replace('"', '\\"') + '"' for l in lines)
    return f'QString {name}()\n{{\n    return QStringLiteral(\n{body});\n}}\n'


if __name__ == '__main__':
    for name, img in (('CreateLanguageFlagPicture', create_picture()),
                      ('EditLanguageFlagPicture', edit_picture())):
        print(cpp_literal(name, picture_text(bitmap(img))))
