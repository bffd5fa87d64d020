#!/usr/bin/env python3
"""Builds the KELPA fixtures of the tests byte by byte from the file layout,
without the library: an old-form definition/data pair (4-byte addresses,
little-endian) and a new-form big-endian DefinitionData file.  Both hold the
same content:

  element "DEPTH"  REAL*4, quantity "depth", unit "m", 1 dimension of 3
  cell    "CELL"   of DEPTH (cell bytes 12)
  group   "GRP"    of CELL, 1 dimension of 2, order 1
  data    "DG"     of GRP, values 1.0 .. 6.0, integer attribute "IA" = 7

Run it in this directory to rebuild old_pair.def, old_pair.dat, new_big.dd.
"""
import struct

NIL = -1


def hash_name(name):
    f = []
    for i in range(16):
        if i < len(name):
            c = ord(name[i])
            f.append((c - 256 if c >= 128 else c) + 1)
        else:
            f.append(33)
    s = 0
    for g in range(4):
        p = 1
        for k in range(4):
            p = (p * f[4 * g + k]) & 0xFFFFFFFF
        s = (s + p) & 0xFFFFFFFF
    return s % 997


def pad(text, width):
    return text.encode().ljust(width, b" ")[:width]


class Layout:
    def __init__(self, old, big):
        self.old, self.big = old, big
        self.e = ">" if big else "<"

    def addr(self, v):
        if self.old:
            return struct.pack(self.e + "I", 0xFFFFFFFF if v == NIL else v)
        return struct.pack(self.e + "Q", 0xFFFFFFFFFFFFFFFF if v == NIL else v)

    def i32(self, v):
        return struct.pack(self.e + "i", v)

    def kind(self, k):
        return ("%8d" % k)[4:].encode() if self.old else ("%8d" % k).encode()

    def head(self, nxt, length, kind, name):
        return self.addr(nxt) + self.addr(length) + self.kind(kind) + pad(name, 16)

    def minus(self):
        return 8 if self.old else 16


def element(L, nxt):
    body = (pad("REAL", 8) + L.addr(12) + L.i32(4) + pad("depth", 16) + pad("m", 16)
            + pad("water depth", 64) + L.i32(1) + L.i32(3) + L.i32(1) * 4)
    size = len(L.head(0, 0, 1, "")) + len(body)
    return L.head(nxt, size - L.minus(), 1, "DEPTH") + body


def cell(L, nxt):
    body = L.addr(12) + L.i32(1) + pad("DEPTH", 16)
    size = len(L.head(0, 0, 2, "")) + len(body)
    return L.head(nxt, size - L.minus(), 2, "CELL") + body


def group(L, nxt):
    body = pad("CELL", 16) + L.i32(1) + L.i32(2) + L.i32(1) * 4 + L.i32(1) + b"".join(
        L.i32(k) for k in range(2, 6))
    size = len(L.head(0, 0, 3, "")) + len(body)
    return L.head(nxt, size - L.minus(), 3, "GRP") + body


def data_group(L, nxt):
    attrs = bytearray(b" " * 360)
    attrs[0:16] = pad("IA", 16)            # integer attribute names at 56
    attrs[80:84] = L.i32(7)                # integer attribute values at 136
    fixed = L.head(nxt, 0, 4, "DG") + pad("GRP", 16) + bytes(attrs)
    values = b"".join(struct.pack(L.e + "f", float(v)) for v in range(1, 7))
    length = len(fixed) + len(values)
    fixed = L.head(nxt, length, 4, "DG") + pad("GRP", 16) + bytes(attrs)
    return fixed + values


def header(text, size, letter):
    h = bytearray(b" " * size)
    h[0:len(text)] = text.encode()
    h[len(text)] = 0
    h[size - 1] = ord(letter)
    return bytes(h)


def build(L, head_text, header_size, words, records):
    """records: list of (bucket index in the table, bytes)."""
    width = 4 if L.old else 8
    table = [NIL] * words
    body = b""
    at = header_size + words * width
    for index, rec in records:
        nxt = table[index]
        rec = rec(L, nxt)
        table[index] = at
        body += rec
        at += len(rec)
    table[0] = at
    return header(head_text, header_size, "L" if not L.big else "B") + b"".join(
        L.addr(w) for w in table) + body


def main():
    old = Layout(old=True, big=False)
    defs = [(1 + hash_name("DEPTH"), element), (1 + 997 + hash_name("CELL"), cell),
            (1 + 2 * 997 + hash_name("GRP"), group)]
    with open("old_pair.def", "wb") as f:
        f.write(build(old, "Ostravel, KELPA Definition File; Versie 1.00", 60, 1 + 3 * 997, defs))
    with open("old_pair.dat", "wb") as f:
        f.write(build(old, "Ostravel, KELPA Data File; Versie 1.00", 60, 1 + 997,
                      [(1 + hash_name("DG"), data_group)]))
    new = Layout(old=False, big=True)
    banner = "@(#)Ostravel, KELPA Version 5.07.02.4043, Sep  8 2014, 14:27:34"
    with open("new_big.dd", "wb") as f:
        f.write(build(new, "Ostravel, KELPA Definition and Data File; " + banner, 128, 1 + 4 * 997,
                      defs + [(1 + 3 * 997 + hash_name("DG"), data_group)]))


main()
