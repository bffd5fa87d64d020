#!/usr/bin/env python3
# Writes the unformatted attached files of the sample attached_unf.md:
# sequential records, each a 4-byte little-endian length, the bytes and the
# length again; numbers as 4-byte little-endian integers and reals.
import struct

def record(*items):
    data = b''
    for kind, value in items:
        if kind == 'i':
            data += struct.pack('<i', value)
        elif kind == 'r':
            data += struct.pack('<f', value)
        else:
            data += value.encode('ascii').ljust(kind, b' ')[:kind]
    return struct.pack('<i', len(data)) + data + struct.pack('<i', len(data))

def reals(*values):
    return record(*[('r', v) for v in values])

def ints(*values):
    return record(*[('i', v) for v in values])

def write(name, *records):
    with open(name, 'wb') as f:
        for r in records:
            f.write(r)

write('attu.grd', ints(1, 1), ints(4, 1), ints(4, 3), ints(1, 3), ints(1, 1))
write('attu.dry', ints(2, 2, 2, 2))
write('attu.thd', record(('i', 3), ('i', 1), ('i', 3), ('i', 2), (1, 'V')))
write('attu.dep', reals(5, 6, 7, 8), reals(5, 6, 7, 8), reals(4, 5, 6, 7))
write('attu.bnd',
      record((20, 'West'), (1, 'Z'), (1, 'H'), ('i', 1), ('i', 1), ('i', 1), ('i', 3), ('r', 0.0)),
      record((20, 'East'), (1, 'Q'), (1, 'T'), ('i', 4), ('i', 1), ('i', 4), ('i', 3), ('r', 0.0)))
# Frequencies, a skipped record, amplitudes at end A and B of the harmonic
# opening, a skipped record, its phases at end A and B (frequency 2 on).
write('attu.bch', reals(0.0, 28.98), reals(0.0), reals(1.0, 0.5), reals(1.1, 0.6), reals(0.0), reals(30),
      reals(35))
write('attu.bct', reals(0, 100), reals(60, 120))
# Uniform layout: per time and opening a record for end A and one for end
# B, each the time and a value per quantity (salinity, temperature).
write('attu.bcc', reals(0, 30, 12), reals(0, 31, 12), reals(0, 29, 13), reals(0, 30, 13),
      reals(60, 30, 12), reals(60, 31, 12), reals(60, 29, 13), reals(60, 30, 13))
write('attu.ini', reals(*[0.5] * 12), *[reals(*[0.0] * 12)] * 4, *[reals(*[30.0] * 12)] * 2,
      *[reals(*[12.0] * 12)] * 2)
write('attu.rgh', *[reals(0.02, 0.02, 0.02, 0.02)] * 3, *[reals(0.03, 0.03, 0.03, 0.03)] * 3)
write('attu.edy', *[reals(1, 1, 1, 1)] * 3, *[reals(2, 2, 2, 2)] * 3)
write('attu.dis', reals(0, 5, 30, 12), reals(60, 6, 31, 13))
# Space-varying wind: a header of a number and the flag, then per time the
# time and the 4 x 3 field.
write('attu.wnd', record(('r', 1.0), (1, 'n')), reals(0, *range(1, 13)), reals(60, *range(13, 25)))
write('attu.tem', reals(0, 80, 15, 70), reals(60, 85, 16, 60))
write('attu.sta', record((20, 'Pier'), ('i', 2), ('i', 2)), record((20, 'Mouth'), ('i', 4), ('i', 2)))
write('attu.crs', record((20, 'Channel'), ('i', 1), ('i', 2), ('i', 4), ('i', 2)))
write('attu.par', record((20, 'Float'), ('r', 0), ('r', 60), ('r', 2.5), ('r', 1.5)))
