#!/usr/bin/env python3
"""Writes a progressive JPEG that holds SCANS scans in all: the scans of IN, then as many more of a
few bytes each (an AC scan of the first component whose every block is one end-of-band run), as a
hostile file would to make a decoder read them all.

usage: many_scans_jpeg.py IN OUT SCANS"""
import struct
import sys


def segments(data):
    """(marker, start, end) of each marker segment up to the end of image; entropy-coded data
    between them is skipped."""
    at = 2
    while at < len(data):
        if data[at] != 0xFF:
            at += 1
            continue
        marker = data[at + 1]
        if marker in (0x00, 0xFF) or 0xD0 <= marker <= 0xD7:
            at += 1 if marker == 0xFF else 2
            continue
        if marker == 0xD9:
            yield marker, at, at + 2
            return
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        yield marker, at, at + 2 + length
        at += 2 + length


def main(source, target, scans):
    data = open(source, "rb").read()
    found = list(segments(data))
    frame = next(s for s in found if s[0] == 0xC2)
    height, width, count = struct.unpack(">HHB", data[frame[1] + 5:frame[1] + 10])
    component = data[frame[1] + 10]
    have = sum(1 for s in found if s[0] == 0xDA)
    end = next(s for s in found if s[0] == 0xD9)[1]
    # The first component has the largest sampling: its blocks cover the picture.
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    # An AC table of two codes, "0" and "10", for end-of-band runs of 2**14 and 2**run blocks, each
    # with its extra bits: runs of 2**14 to 2**15 - 1 blocks, and one for the rest.
    rest = blocks % (1 << 14) if blocks >= 1 << 15 else blocks
    run = rest.bit_length() - 1
    table = b"\xFF\xC4" + struct.pack(">H", 21) + b"\x13" + bytes([1, 1] + [0] * 14) + bytes([14 << 4, run << 4])
    bits = ("0" + "0" * 14) * ((blocks - rest) >> 14)
    bits += "10" + (format(rest - (1 << run), "0%db" % run) if run else "")
    bits += "1" * (-len(bits) % 8)
    coded = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)).replace(b"\xFF", b"\xFF\x00")
    scan = b"\xFF\xDA" + struct.pack(">HBBBBBB", 8, 1, component, 0x03, 1, 63, 0) + coded
    with open(target, "wb") as out:
        out.write(data[:end] + table + scan * max(0, scans - have) + b"\xFF\xD9")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
