#!/usr/bin/env python3
"""Remakes the hostile input files in this folder from the English sample."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(HERE, "..", "bridge_english.dat"), "rb") as f:
    SAMPLE = f.read().split(b"\r\n")
if SAMPLE and SAMPLE[-1] == b"":
    SAMPLE.pop()


def lines(code):
    return [l for l in SAMPLE if l[:2] == code]


def crlf(ls):
    return b"".join(l + b"\r\n" for l in ls)


def blank_numbers(line):
    # every column after the code that holds a digit becomes a letter
    head, tail = line[:2], line[2:]
    return head + bytes(ord("x") if chr(c).isdigit() else c for c in tail)


def high_text(line):
    # every letter after the code becomes a character above 127
    head, tail = line[:2], line[2:]
    return head + bytes(0xE9 if chr(c).isalpha() else c for c in tail)


FILES = {
    "empty.dat": b"",
    "binary.dat": bytes(range(256)) * 4,
    "nul_in_lines.dat": crlf(l[:10] + b"\0" + l[11:] if len(l) > 11 else l for l in SAMPLE),
    "megabyte_line.dat": b"00" + b"A" * (1024 * 1024) + b"\r\n" + crlf(SAMPLE[1:]),
    "cr_only.dat": b"".join(l + b"\r" for l in SAMPLE),
    "lf_only.dat": b"".join(l + b"\n" for l in SAMPLE),
    "cut_mid_line.dat": crlf(SAMPLE[:14]) + SAMPLE[14][:17],
    "codes_out_of_place.dat": crlf(list(reversed(SAMPLE))),
    "grids_overfull.dat": crlf(
        [l for l in SAMPLE if l[:2] in (b"00", b"01", b"02")]
        + lines(b"03") * 40
        + lines(b"04")
        + lines(b"05") * 30
        + lines(b"06") * 30
        + lines(b"07") * 40
        + lines(b"08")),
    "non_numeric.dat": crlf([SAMPLE[0]] + [blank_numbers(l) for l in SAMPLE[1:]]),
    "high_characters.dat": crlf(high_text(l) for l in SAMPLE),
}

for name, data in FILES.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
