#!/usr/bin/env python3
"""Builds the embedded package (resource 269): a deflated ZIP with systemset.ini and uninstall.ico.

usage: make_package.py <systemset.ini> <uninstall.ico> <placeholder.ico> <package.zip>

When the drawn uninstall.ico is not there yet, a plain 16x16 32-bit icon of the same size
(1150 bytes) is written to <placeholder.ico> and packaged instead.
"""
import struct
import sys
import zipfile
from pathlib import Path

# Fixed entry times keep the package identical from build to build.
ENTRY_TIME = (2013, 8, 20, 10, 30, 0)
ATTRIBUTE_ARCHIVE = 0x20
HOST_MSDOS = 0


def placeholder_icon():
    size = 16
    pixels = bytearray()
    for y in range(size):          # bottom-up rows, BGRA
        for x in range(size):
            inside = 2 <= x <= 13 and 2 <= y <= 13
            cross = inside and (abs(x - y) <= 1 or abs(x + y - 15) <= 1)
            if cross:
                pixels += bytes((0x30, 0x30, 0xD0, 0xFF))
            elif inside and (x in (2, 13) or y in (2, 13)):
                pixels += bytes((0x60, 0x60, 0x60, 0xFF))
            else:
                pixels += bytes((0, 0, 0, 0))
    mask = bytes(4 * size)          # 16 bits a row, padded to 32
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), 22)
    icon = directory + image
    assert len(icon) == 1150
    return icon


def entry(name, data):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = HOST_MSDOS
    info.external_attr = ATTRIBUTE_ARCHIVE
    return info, data


def main(ini_path, icon_path, placeholder_path, zip_path):
    settings = Path(ini_path).read_bytes()
    icon_file = Path(icon_path)
    if icon_file.is_file():
        icon = icon_file.read_bytes()
    else:
        icon = placeholder_icon()
        Path(placeholder_path).write_bytes(icon)
    out = Path(zip_path)
    tmp = out.with_suffix('.tmp')
    with zipfile.ZipFile(tmp, 'w') as package:
        for info, data in (entry('systemset.ini', settings), entry('uninstall.ico', icon)):
            package.writestr(info, data, compresslevel=9)
    tmp.replace(out)


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
