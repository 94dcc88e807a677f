# Lists a ZIP archive as Python's zipfile reads it, one JSON object per line:
# name (its bytes as hex: without the UTF-8 flag zipfile reads names as code page 437), flags,
# compression method, stored CRC, CRC of the extracted data, size, and the data as hex.
import json
import sys
import zipfile
import zlib

with zipfile.ZipFile(sys.argv[1]) as archive:
    bad = archive.testzip()
    if bad is not None:
        sys.exit("bad entry: " + bad)
    for info in archive.infolist():
        data = archive.read(info)
        print(json.dumps({
            "name": (info.filename.encode("utf-8") if info.flag_bits & 0x800
                     else info.filename.encode("cp437")).hex(),
            "flags": info.flag_bits,
            "method": info.compress_type,
            "crc": info.CRC,
            "dataCrc": zlib.crc32(data),
            "size": info.file_size,
            "compressedSize": info.compress_size,
            "offset": info.header_offset,
            "data": data.hex(),
        }))
