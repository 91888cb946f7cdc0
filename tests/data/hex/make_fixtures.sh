#!/bin/sh
# Regenerates the well-formed firmware fixtures with binutils' objcopy.
# The malformed fixtures (bad_*.hex) are edited by hand from past_image.hex.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

python3 - "$tmp" <<'PY'
import sys
tmp = sys.argv[1]
# Image bytes 0xA000 to 0xA3FF: the first page of the firmware region.
def first_page(version, type_name):
    page = bytearray()
    for w in range(256):
        page += bytes([w & 0xFF, (w * 7 + 3) & 0xFF, (w * 13 + 1) & 0xFF, 0x5A])
    def put(byte, value):
        page[byte - 0xA000] = value
    put(0xA220, 0x12)  # an old checksum word, to be replaced by the stamp
    put(0xA221, 0x34)
    for i, c in enumerate(version):
        put(0xA224 + 4 * (i // 2) + i % 2, c)
    for i, c in enumerate(type_name):
        put(0xA234 + 4 * (i // 2) + i % 2, c)
    return page
open(tmp + "/page.bin", "wb").write(first_page(b"12345678", b"coralwave "))
open(tmp + "/old.bin", "wb").write(first_page(b"09900001", b"M720\0\0\0\0\0\0"))
open(tmp + "/odd.bin", "wb").write(first_page(b"20000000", b"M720X     "))
# A later block at image byte 0xB000, leaving a gap of never-written words.
open(tmp + "/late.bin", "wb").write(bytes((0x80 + i) & 0xFF for i in range(64)))
# 32 bytes from image byte 0x54FF8: the second half lies beyond the image.
open(tmp + "/tail.bin", "wb").write(bytes(0xC0 + i for i in range(32)))
PY

objcopy -I binary -O elf64-x86-64 -B i386:x86-64 --change-addresses 0xA000 "$tmp/page.bin" "$tmp/fw.o"
objcopy --add-section .late="$tmp/late.bin" --set-section-flags .late=alloc,load,contents \
    --change-section-address .late=0xB000 "$tmp/fw.o" "$tmp/fw2.o"
objcopy -O ihex "$tmp/fw2.o" fw_coralwave.hex

objcopy -I binary -O ihex --change-addresses 0xA000 "$tmp/old.bin" fw_m720_old.hex
objcopy -I binary -O ihex --change-addresses 0xA000 "$tmp/odd.bin" fw_unknown_type.hex

objcopy -I binary -O ihex --change-addresses 0x54FF8 "$tmp/tail.bin" past_image.hex
