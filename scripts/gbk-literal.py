#!/usr/bin/env python3
"""Prints a C++ string literal holding the GBK bytes of each argument.

The program's texts are GBK bytes passed to the ANSI Win32 functions; the
sources keep them as byte escapes (with the text itself in a comment) so
that no compiler's execution character set is involved.
"""
import sys

HEX = "0123456789abcdefABCDEF"


def literal(text: str) -> str:
    out = []
    last_was_hex_escape = False
    for byte in text.encode("gbk"):
        ch = chr(byte)
        if byte == 0x0D:
            piece, hex_escape = "\\r", False
        elif byte == 0x0A:
            piece, hex_escape = "\\n", False
        elif ch in "\"\\":
            piece, hex_escape = "\\" + ch, False
        elif 0x20 <= byte < 0x7F:
            piece, hex_escape = ch, False
        else:
            piece, hex_escape = "\\x%02X" % byte, True
        # A hex escape swallows every hex digit after it: end the literal.
        if last_was_hex_escape and piece[0] in HEX:
            out.append('" "')
        out.append(piece)
        last_was_hex_escape = hex_escape
    return '"' + "".join(out) + '"'


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(f"{literal(arg)} // {arg}")
