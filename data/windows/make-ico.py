#!/usr/bin/env python3
"""make-ico.py OUT.ico PNG...: a Windows icon holding the PNG pictures as they
are (Windows takes PNG in an icon from Vista on), largest last."""
import struct
import sys


def size_of(png):
    # The IHDR chunk follows the 8-byte signature: width, height, big-endian.
    width, height = struct.unpack(">II", png[16:24])
    return width, height


def main():
    out, pictures = sys.argv[1], [open(p, "rb").read() for p in sys.argv[2:]]
    pictures.sort(key=lambda png: size_of(png)[0])
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries, data = b"", b""
    for png in pictures:
        width, height = size_of(png)
        # 0 stands for 256 in the one-byte sizes.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    with open(out, "wb") as icon:
        icon.write(header + entries + data)


if __name__ == "__main__":
    main()
