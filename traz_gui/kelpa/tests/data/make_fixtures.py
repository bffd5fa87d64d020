#!/usr/bin/env python3
"""Builds the KELPA fixtures of the tests byte by byte from the file layout,
without the library: an old-form definition/data pair (4-byte addresses,
little-endian) and a new-form big-endian DefinitionData file.  Both hold the
same content:

  element "DEPTH"  REAL*4, quantity "depth", unit "m", 1 dimension of 3
  cell    "CELL"   of DEPTH (cell bytes 12)
  group   "GRP"    of CELL, 1 dimension of 2, order 1
  data    "DG"     of GRP, values 1.0 .. 6.0, integer attribute "IA" = 7

It also builds a new-form little-endian pair, pair.def and pair.dat:

  elements DEPTH REAL*4, VEL REAL*4 (3), FLAG INTEGER*4, NAME CHARACTER*10,
           TEMP REAL*8, SAL REAL*4
  cells    HYDRO of DEPTH, VEL, FLAG (20 bytes); QUAL of NAME, TEMP, SAL (24)
  groups   FIXGRP of HYDRO, dimensions 4 x 3; VARGRP of QUAL, 2 x variable
  data     FIXDG of FIXGRP, all 12 cells written, attributes NSTEP = 12,
           DT = 0.5, TITLE = "fixed group"; VARDG of VARGRP, variable
           indices 1 and 2 written element by element, attribute NTIMES = 2

and three damaged copies of it: cut_attributes.dat (the data file cut 200
bytes into VARDG's fixed part), cut_cell.def (the definition file cut
inside QUAL, behind its first element name) and wide_group.def (FIXGRP's
second dimension 30 in place of 3).  The damaged copies also go to the
open/read fuzz target's corpus as pair inputs (first byte 1, two bytes of
half the definition file's length, the definition file, the data file).

Run it in this directory to rebuild old_pair.def, old_pair.dat, new_big.dd,
pair.def, pair.dat, the damaged copies and the seeds of the damaged-write
fuzz target.
"""
import os
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


# ---- The new-form little-endian pair ----------------------------------------

# New-form records as (kind, name, bytes behind the 40-byte head, length field).

def chain(L, header_bytes, words, records, bucket_of):
    """Lays records out behind the table; returns (table, body, addresses)."""
    width = 8
    table = [NIL] * words
    at = len(header_bytes) + words * width
    body = b""
    where = {}
    for kind, name, rec_body, length in records:
        index = bucket_of(kind, name)
        rec = L.head(table[index], length, kind, name) + rec_body
        table[index] = at
        where[name] = at
        body += rec
        at += len(rec)
    table[0] = at
    return table, body, where


def new_element(L, name, typ, size, dims, quantity, unit, description):
    total = size
    for d in dims:
        total *= d
    full = list(dims) + [1] * (5 - len(dims))
    body = (pad(typ, 8) + L.addr(total) + L.i32(size) + pad(quantity, 16) + pad(unit, 16)
            + pad(description, 64) + L.i32(len(dims)) + b"".join(L.i32(d) for d in full))
    return (1, name, body, 40 + len(body) - 16)


def new_cell(L, name, elements, cell_bytes):
    body = L.addr(cell_bytes) + L.i32(len(elements)) + b"".join(pad(e, 16) for e in elements)
    return (2, name, body, 40 + len(body) - 16)


def new_group(L, name, cell, dims, order):
    full = list(dims) + [1] * (5 - len(dims))
    order = list(order) + list(range(len(dims) + 1, 6))
    body = (pad(cell, 16) + L.i32(len(dims)) + b"".join(L.i32(d) for d in full)
            + b"".join(L.i32(o) for o in order))
    return (3, name, body, 40 + len(body) - 16)


def attributes(L, ints=(), reals=(), strings=()):
    area = bytearray(b" " * 360)
    for k, (name, v) in enumerate(ints):
        area[16 * k:16 * k + 16] = pad(name, 16)
        area[80 + 4 * k:84 + 4 * k] = L.i32(v)
    for k, (name, v) in enumerate(reals):
        area[100 + 16 * k:116 + 16 * k] = pad(name, 16)
        area[180 + 4 * k:184 + 4 * k] = struct.pack(L.e + "f", v)
    for k, (name, v) in enumerate(strings):
        area[200 + 16 * k:216 + 16 * k] = pad(name, 16)
        area[280 + 16 * k:296 + 16 * k] = pad(v, 16)
    return bytes(area)


def fixed_values(L):
    """FIXDG: cell c = i1 + 4 x i2 holds DEPTH 1 + c, VEL (c, -c, c / 4), FLAG c % 2."""
    out = b""
    for c in range(12):
        out += struct.pack(L.e + "f", 1.0 + c)
        out += struct.pack(L.e + "3f", float(c), -float(c), c / 4.0)
        out += L.i32(c % 2)
    return out


def variable_cell(L, v, i1):
    """VARDG, variable index v, cell i1: NAME, TEMP, SAL and two unwritten pad bytes."""
    return (("STATION%d-%d" % (v, i1)).encode() + struct.pack(L.e + "d", 10.0 + v + 0.5 * i1)
            + struct.pack(L.e + "f", 30.0 + i1) + b"\0\0")


def new_pair():
    L = Layout(old=False, big=False)
    elements = [
        new_element(L, "DEPTH", "REAL", 4, [1], "depth", "m", "water depth"),
        new_element(L, "VEL", "REAL", 4, [3], "velocity", "m/s", "flow velocity u, v, w"),
        new_element(L, "FLAG", "INTEGER", 4, [1], "wet flag", "-", "1 wet, 0 dry"),
        new_element(L, "NAME", "CHARACTE", 10, [1], "station", "-", "station name"),
        new_element(L, "TEMP", "REAL", 8, [1], "temperature", "degC", "water temperature"),
        new_element(L, "SAL", "REAL", 4, [1], "salinity", "ppt", "salinity"),
    ]
    defs = elements + [
        new_cell(L, "HYDRO", ["DEPTH", "VEL", "FLAG"], 20),
        new_group(L, "FIXGRP", "HYDRO", [4, 3], [1, 2]),
        new_cell(L, "QUAL", ["NAME", "TEMP", "SAL"], 24),
        new_group(L, "VARGRP", "QUAL", [2, 0], [1, 2]),
    ]
    def_header = header("Ostravel, KELPA Definition File; 5.00.00", 60, "L")
    table, body, def_at = chain(L, def_header, 1 + 3 * 997, defs,
                                lambda kind, name: 1 + (kind - 1) * 997 + hash_name(name))
    definition = def_header + b"".join(L.addr(w) for w in table) + body

    dat_header = header("Ostravel, KELPA Data File; 5.00.00", 60, "L")
    fixdg = (pad("FIXGRP", 16) + attributes(L, ints=[("NSTEP", 12)], reals=[("DT", 0.5)],
                                           strings=[("TITLE", "fixed group")]) + fixed_values(L))
    first_table = L.addr(2 * 24) + L.addr(NIL) * 256
    vardg = pad("VARGRP", 16) + attributes(L, ints=[("NTIMES", 2)]) + first_table
    table, body, dat_at = chain(L, dat_header, 1 + 997,
                                [(4, "FIXDG", fixdg, 40 + len(fixdg)),
                                 (5, "VARDG", vardg, 40 + len(vardg))],
                                lambda kind, name: 1 + hash_name(name))
    data = bytearray(dat_header + b"".join(L.addr(w) for w in table) + body)
    # VARDG's pointer tables: index 1 (key bytes 0, 0, 0, 1) makes tables on
    # levels 2 to 4 and its slice; index 2 adds a slice to the level-4 table.
    vardg_at = dat_at["VARDG"]
    level2 = len(data)
    level3, level4 = level2 + 2048, level2 + 4096
    slices = [level2 + 6144, level2 + 6144 + 48]
    data[vardg_at + 424:vardg_at + 432] = L.addr(level2)
    tables = [L.addr(NIL) * 256 for _ in range(3)]
    for k, (nxt, entries) in enumerate([(level3, {0: level3}), (level4, {0: level4}),
                                       (None, {1: slices[0], 2: slices[1]})]):
        t = bytearray(tables[k])
        for e, a in entries.items():
            t[8 * e:8 * e + 8] = L.addr(a)
        data += bytes(t)
    for v, at in zip((1, 2), slices):
        data += variable_cell(L, v, 0) + variable_cell(L, v, 1)
    next_free = len(data)
    # Nothing is written into the last pad bytes: the file ends before them.
    del data[-2:]
    data[60:68] = L.addr(next_free)
    return definition, bytes(data), def_at, dat_at


def corpus_pair(definition, data):
    assert len(definition) % 2 == 0
    half = len(definition) // 2
    return bytes([1, half & 255, half >> 8]) + definition + data


def main_pair():
    definition, data, def_at, dat_at = new_pair()
    with open("pair.def", "wb") as f:
        f.write(definition)
    with open("pair.dat", "wb") as f:
        f.write(data)
    damaged = {
        "cut_attributes.dat": data[:dat_at["VARDG"] + 200],
        "cut_cell.def": definition[:def_at["QUAL"] + 52 + 16],
    }
    wide = bytearray(definition)
    wide[def_at["FIXGRP"] + 64:def_at["FIXGRP"] + 68] = struct.pack("<i", 30)
    damaged["wide_group.def"] = bytes(wide)
    for name, content in damaged.items():
        with open(name, "wb") as f:
            f.write(content)
    corpus = os.path.join("..", "fuzz", "open_read_corpus")
    inputs = {
        "damaged_attributes": corpus_pair(definition, damaged["cut_attributes.dat"]),
        "damaged_cell": corpus_pair(damaged["cut_cell.def"], data),
        "damaged_group": corpus_pair(damaged["wide_group.def"], data),
    }
    for name, content in inputs.items():
        with open(os.path.join(corpus, name), "wb") as f:
            f.write(content)



def write_seeds():
    """Seeds of the damaged-write fuzz target: changes to the pair's
    definition file (offsets from its first record) and the values written
    through it (see tests/fuzz/damaged_write_fuzz.cpp for the layout)."""
    fixgrp, vargrp = 6 * 180 + 100, 6 * 180 + 300
    elements = ["DEPTH", "VEL", "FLAG", "NAME", "TEMP", "SAL", "*"]

    def change(offset, value):
        return struct.pack("<H", offset) + (value if isinstance(value, bytes) else struct.pack("<i", value))

    def op(variable, element, dims, read_back=True):
        """dims: (start, stop) of user dimensions 1 and 2, increment 1."""
        head = (1 if variable else 0) | (2 if read_back else 0) | (elements.index(element) << 2)
        index = b""
        for u in range(5):
            start, stop = dims[u] if u < len(dims) else (1, 1)
            index += struct.pack("<bbb", start, 16 * (stop - start), 1)
        return bytes([head]) + index + bytes(u + 2 for u in range(5))

    seeds = {
        "sound": [], "wide_fixed_group": [change(fixgrp + 64, 30)],
        "wide_variable_group": [change(vargrp + 60, 20)],
        "fixed_group_made_variable": [change(fixgrp + 64, 0)],
        "variable_group_made_fixed": [change(vargrp + 64, 5)],
        "fixed_group_of_the_other_cell": [change(fixgrp + 40, b"QUAL"), change(fixgrp + 44, b"    ")],
    }
    ops = {
        "sound": [op(False, "VEL", [(1, 4), (1, 3)]), op(True, "*", [(1, 2), (3, 4)])],
        "wide_fixed_group": [op(False, "VEL", [(2, 2), (30, 30)]), op(False, "DEPTH", [(1, 4), (3, 3)])],
        "wide_variable_group": [op(True, "TEMP", [(20, 20), (1, 1)]), op(True, "SAL", [(1, 2), (2, 3)])],
        "fixed_group_made_variable": [op(False, "FLAG", [(1, 1), (1, 1)])],
        "variable_group_made_fixed": [op(True, "TEMP", [(1, 1), (5, 5)])],
        "fixed_group_of_the_other_cell": [op(False, "SAL", [(4, 4), (3, 3)]), op(False, "*", [(1, 1), (1, 1)])],
    }
    corpus = os.path.join("..", "fuzz", "damaged_write_corpus")
    os.makedirs(corpus, exist_ok=True)
    for name, changes in seeds.items():
        with open(os.path.join(corpus, name), "wb") as f:
            f.write(bytes([len(changes)]) + b"".join(changes) + b"".join(ops[name]))


main()
main_pair()
write_seeds()
