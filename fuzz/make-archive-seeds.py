#!/usr/bin/env python3
# Writes the crafted archives of fuzz/corpus/archive (seeds of the archive fuzz target and the
# cases of the archive tests): small 7z archives, each damaged in one way, with correct
# checksums unless the damage is the checksum. oob-empty.dat and resize-2e31.dat came from a
# review and are kept as they were.
import lzma
import os
import struct
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "archive")


def num(v):
    for n in range(9):
        if n == 8:
            return b"\xff" + v.to_bytes(8, "little")
        if v < 1 << (8 * n + 7 - n):
            first = ((0xFF << (8 - n)) & 0xFF) | (v >> (8 * n))
            return bytes([first]) + (v & ((1 << (8 * n)) - 1)).to_bytes(n, "little")


def crc(b):
    return struct.pack("<I", zlib.crc32(b))


def archive(packed, header):
    start = struct.pack("<QQ", len(packed), len(header)) + crc(header)
    return b"7z\xbc\xaf\x27\x1c\x00\x04" + crc(start) + start + packed + header


def pack_info(sizes, position=0):
    return b"\x06" + num(position) + num(len(sizes)) + b"\x09" + b"".join(num(s) for s in sizes) + b"\x00"


COPY = b"\x01\x00"


def lzma_coder(dictionary):
    return b"\x23\x03\x01\x01\x05" + bytes([0x5D]) + struct.pack("<I", dictionary)


def unpack_info(coders, sizes, crcs=None):
    out = b"\x07\x0b" + num(len(coders)) + b"\x00"
    out += b"".join(b"\x01" + c for c in coders)
    out += b"\x0c" + b"".join(num(s) for s in sizes)
    if crcs:
        out += b"\x0a\x01" + b"".join(crc(c) for c in crcs)
    return out + b"\x00"


def files(names):
    text = b"\x00" + b"".join(n.encode("utf-16-le") + b"\x00\x00" for n in names)
    return b"\x05" + num(len(names)) + b"\x11" + num(len(text)) + text + b"\x00"


def streams(*parts):
    return b"\x04" + b"".join(parts) + b"\x00"


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


# Two entries of a byte each, then the main streams again with one folder: the second entry's
# folder is gone.
main = streams(pack_info([1, 1]), unpack_info([COPY, COPY], [1, 1], [b"a", b"b"]))
again = streams(pack_info([1]), unpack_info([COPY], [1]))
write("main-again-one-folder.dat", archive(b"ab", b"\x01" + main + files(["a.txt", "b.txt"]) + again + b"\x00"))

# The 2 GiB case with 2^63: a folder of that size, then a second folder block giving it 1 byte.
resize = streams(pack_info([1]), unpack_info([COPY], [1 << 63], [b"x"]), b"\x08\x0d\x01\x00",
                 b"\x07\x0b\x00\x00\x0c" + num(1) + b"\x00")
write("resize-2e63.dat", archive(b"x", b"\x01" + resize + files(["logo.png"]) + b"\x00"))

# In the format's order, but a Copy folder claiming 2^63 bytes for the 1 byte it stores.
claims = streams(pack_info([1]), unpack_info([COPY], [1 << 63]))
write("copy-claims-2e63.dat", archive(b"x", b"\x01" + claims + files(["logo.png"]) + b"\x00"))

# A packed stream running past the end of the file.
past = streams(pack_info([1000]), unpack_info([COPY], [1000]))
write("packed-past-end.dat", archive(b"x", b"\x01" + past + files(["logo.png"]) + b"\x00"))

# An entry whose bytes do not match their checksum.
wrong = streams(pack_info([5]), unpack_info([COPY], [5], [b"hello"]))
write("wrong-checksum.dat", archive(b"jello", b"\x01" + wrong + files(["keys.txt"]) + b"\x00"))

# One header byte flipped (a letter of the name): the header's checksum no longer matches.
good = archive(b"x", b"\x01" + streams(pack_info([1]), unpack_info([COPY], [1], [b"x"])) + files(["logo.png"]) + b"\x00")
flipped = bytearray(good)
flipped[good.rindex(b"l\x00o\x00g\x00o")] ^= 0x01
write("flipped-header-byte.dat", bytes(flipped))

# An LZMA entry with a 128 MiB dictionary.
text = b"KEY_LEFT_SOFT1=10000\r\n" * 4
packed = lzma.compress(text, format=lzma.FORMAT_RAW, filters=[{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 16}])
dictionary = streams(pack_info([len(packed)]), unpack_info([lzma_coder(128 << 20)], [len(text)], [text]))
write("dictionary-128m.dat", archive(packed, b"\x01" + dictionary + files(["keys.txt"]) + b"\x00"))

# 256 MiB of zeros as keys.txt: LZMA packs it into a few tens of kilobytes.
zeros = 256 << 20
compressor = lzma.LZMACompressor(format=lzma.FORMAT_RAW, filters=[{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 20}])
chunk = bytes(1 << 20)
packed = b"".join(compressor.compress(chunk) for _ in range(zeros >> 20)) + compressor.flush()
huge = streams(pack_info([len(packed)]), unpack_info([lzma_coder(1 << 20)], [zeros]))
write("huge-entry.dat", archive(packed, b"\x01" + huge + files(["keys.txt"]) + b"\x00"))

# A count of entries past the bytes left for their names.
write("count-past-header.dat", archive(b"", b"\x01\x05" + num(200) + b"\x00\x00"))

# A name property longer than the header holds.
names = b"\x00" + "logo.png".encode("utf-16-le") + b"\x00\x00"
write("property-past-header.dat", archive(b"", b"\x01\x05" + num(1) + b"\x11" + num(1000) + names + b"\x00\x00"))

# A folder of two Copy coders whose bound pair feeds a coder 200 places past them.
bound = b"\x07\x0b" + num(1) + b"\x00" + b"\x02" + COPY + COPY + num(0) + num(200) + b"\x0c" + num(1) + num(1) + b"\x00"
write("bound-pair-past-coders.dat",
      archive(b"x", b"\x01" + streams(pack_info([1]), bound) + files(["logo.png"]) + b"\x00"))

# The same, the other way: a bound pair feeding a coder 200 places past them.
past_to = b"\x07\x0b" + num(1) + b"\x00" + b"\x02" + COPY + COPY + num(200) + num(0) + b"\x0c" + num(1) + num(1) + \
    b"\x00"
write("bound-pair-into-past-coders.dat",
      archive(b"x", b"\x01" + streams(pack_info([1]), past_to) + files(["logo.png"]) + b"\x00"))


def three_coders(pairs):
    # A folder of three Copy coders bound by the (to, from) pairs.
    bound = b"".join(num(to) + num(source) for to, source in pairs)
    return b"\x07\x0b" + num(1) + b"\x00" + b"\x03" + COPY * 3 + bound + b"\x0c" + num(1) * 3 + b"\x00"


# One coder feeding the two others, and one coder fed by the two others.
write("coder-feeds-two.dat", archive(b"x", b"\x01" + streams(pack_info([1]), three_coders([(1, 0), (2, 0)])) +
                                     files(["logo.png"]) + b"\x00"))
write("coder-fed-by-two.dat", archive(b"x", b"\x01" + streams(pack_info([1]), three_coders([(0, 1), (0, 2)])) +
                                      files(["logo.png"]) + b"\x00"))

# A folder of one coder whose 3-byte method id no tool has given.
unknown = b"\x07\x0b" + num(1) + b"\x00" + b"\x01\x03\x7f\x00\x01" + b"\x0c" + num(1) + b"\x00"
write("unknown-coder.dat", archive(b"x", b"\x01" + streams(pack_info([1]), unknown) + files(["logo.png"]) + b"\x00"))

# Two Copy coders, well bound: a chain that no data archive has.
chain = b"\x07\x0b" + num(1) + b"\x00" + b"\x02" + COPY + COPY + num(1) + num(0) + b"\x0c" + num(1) + num(1) + b"\x00"
write("copy-chain.dat", archive(b"x", b"\x01" + streams(pack_info([1]), chain) + files(["logo.png"]) + b"\x00"))

# LZMA with 3 bytes of properties where it has 5.
short = b"\x07\x0b" + num(1) + b"\x00" + b"\x01\x23\x03\x01\x01\x03\x5d\x00\x00" + b"\x0c" + num(1) + b"\x00"
write("lzma-short-properties.dat",
      archive(b"x", b"\x01" + streams(pack_info([1]), short) + files(["logo.png"]) + b"\x00"))

# Where the folder list belongs, the names; and a property id the format does not have.
write("names-for-folders.dat", archive(b"x", b"\x01" + streams(pack_info([1]), b"\x07\x11") + b"\x00"))
write("unknown-for-folders.dat", archive(b"x", b"\x01" + streams(pack_info([1]), b"\x07\x19") + b"\x00"))

# A count of entries with a single byte left behind it.
write("count-past-last-byte.dat", archive(b"", b"\x01\x05" + num(200) + b"\x00"))

# A folder of 1 byte split into two streams, the first of 5 bytes.
split = b"\x08\x0d" + num(2) + b"\x09" + num(5) + b"\x00"
write("streams-past-folder.dat", archive(b"x", b"\x01" + streams(pack_info([1]), unpack_info([COPY], [1]), split) +
                                         files(["a.txt", "b.txt"]) + b"\x00"))

# A file list holding two names where it counts one.
two = b"\x00" + b"".join(n.encode("utf-16-le") + b"\x00\x00" for n in ["logo.png", "more.png"])
write("names-past-count.dat", archive(b"x", b"\x01" + streams(pack_info([1]), unpack_info([COPY], [1], [b"x"])) +
                                      b"\x05" + num(1) + b"\x11" + num(len(two)) + two + b"\x00\x00"))

# A name holding the first half of a surrogate pair and then a plain character.
half = b"\x00" + "lo".encode("utf-16-le") + b"\x00\xd8" + "x".encode("utf-16-le") + b"\x00\x00"
write("name-half-character.dat", archive(b"x", b"\x01" + streams(pack_info([1]), unpack_info([COPY], [1], [b"x"])) +
                                         b"\x05" + num(1) + b"\x11" + num(len(half)) + half + b"\x00\x00"))


def packed_header(packed, header):
    # The header packed by LZMA, behind the entries' packed bytes.
    filters = [{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 22}]
    compressed = lzma.compress(header, format=lzma.FORMAT_RAW, filters=filters)
    encoded = b"\x17" + pack_info([len(compressed)], len(packed)) + \
        unpack_info([lzma_coder(1 << 22)], [len(header)], [header]) + b"\x00"
    return archive(packed + compressed, encoded)


# Two million files in a packed header of zeros: the names' bytes are there, the entries are
# far more than a data archive holds.
write("files-2m-packed.dat", packed_header(b"", b"\x01\x05" + num(2_000_000) + bytes(4_000_000)))

# Two empty folders of 10,000 streams each: each count is within bounds, their sum is not.
many = b"\x08\x0d" + num(10_000) + num(10_000)
write("streams-20k-packed.dat", packed_header(b"", b"\x01\x04" + pack_info([0, 0]) + unpack_info([COPY, COPY], [0, 0]) +
                                              many + bytes(30_000)))

# Three entries in one LZMA folder behind 60 MiB of zeros: each would unpack the zeros again.
solid_text = bytes(60 << 20) + b"PNG" * 100 + b"KEY=1\r\n" * 10
compressor = lzma.LZMACompressor(format=lzma.FORMAT_RAW, filters=[{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 20}])
packed = compressor.compress(solid_text) + compressor.flush()
solid = b"\x08\x0d" + num(3) + b"\x09" + num(60 << 20) + num(300) + b"\x00"
write("solid-behind-zeros.dat",
      archive(packed, b"\x01" + streams(pack_info([len(packed)]), unpack_info([lzma_coder(1 << 20)], [len(solid_text)]),
                                        solid) + files(["zeros.bin", "logo.png", "keys.txt"]) + b"\x00"))

# Two entries of a folder claiming 2^64 - 1 bytes, the first of 10: their ends add up past 2^64.
wrap = b"\x08\x0d" + num(2) + b"\x09" + num(10) + b"\x00"
write("solid-past-2e64.dat", archive(b"x", b"\x01" + streams(pack_info([1]), unpack_info([COPY], [(1 << 64) - 1]), wrap) +
                                     files(["a.txt", "b.txt"]) + b"\x00"))
