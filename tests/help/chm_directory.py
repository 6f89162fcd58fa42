"""The names of the files in a compiled HTML Help file (.chm): its ITSF
header leads to the directory, whose PMGL chunks list every entry."""
import struct


def _encint(data, position):
    """A variable-length integer: 7 bits a byte, most significant first."""
    value = 0
    while True:
        byte = data[position]
        position += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, position


def chm_names(data):
    if data[:4] != b"ITSF":
        raise ValueError("not a CHM file (no ITSF header)")
    directory_offset, directory_length = struct.unpack_from("<QQ", data, 0x48)
    directory = data[directory_offset:directory_offset + directory_length]
    if directory[:4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length, = struct.unpack_from("<I", directory, 8)
    chunk_size, = struct.unpack_from("<I", directory, 0x10)
    names = []
    for start in range(header_length, len(directory), chunk_size):
        chunk = directory[start:start + chunk_size]
        if chunk[:4] != b"PMGL":
            continue  # index chunks (PMGI) repeat names of the listing chunks
        free_space, = struct.unpack_from("<I", chunk, 4)
        position, end = 20, chunk_size - free_space
        while position < end:
            length, position = _encint(chunk, position)
            names.append(chunk[position:position + length].decode("utf-8"))
            position += length
            for _ in range(3):  # section, offset, length
                _, position = _encint(chunk, position)
    return names
