#!/usr/bin/env python3
"""Writes res/dlginit103.bin, the initial control data of the panel template.

windres cannot take an inline block of numeric resource type 240, so the data
lives in a committed file; this script is how it was made. Entries are
  WORD control id, WORD message, DWORD length, bytes
and the run ends with a zero WORD.
"""
import os
import struct

WM_OCC_LOADFROMSTREAM = 0x0376
WM_MFC_INITCTRL = 0x037C

# The WebBrowser control's persisted state: extent 1482 x 794 (HIMETRIC) and
# its default settings.
BROWSER_STATE = bytes.fromhex(
    "00000000" "4C000000" "CA050000" "1A030000"
    "00000000" "00000000" "00000000" "00000000"
    "00000000" "00000000" "4C000000" "00000000"
    "00000000" "01000000" "E0D05700" "7335CF11"
    "AE690800" "2B2E1262" "00000000" "00000000"
    "4C000000" "01140200" "00000000" "C0000000"
    "00000046" "80000000" "00000000" "00000000"
    "00000000" "00000000" "00000000" "00000000"
    "00000000" "00000000" "00000000" "01000000"
    "00000000" "00000000" "00000000" "00000000"
)
assert len(BROWSER_STATE) == 160


def button_props(full_text_tool, image_type):
    fields = [
        ("Style", "6"), ("Autosize", "FALSE"), ("Tooltip", ""),
        ("FullTextTool", full_text_tool), ("CursorType", "12"),
        ("ImageType", image_type), ("ImageOnTop", "FALSE"), ("ImageOnRight", "FALSE"),
    ]
    return "".join(f"<MFCButton_{k}>{v}</MFCButton_{k}>" for k, v in fields).encode("ascii")


ENTRIES = [
    (1005, WM_OCC_LOADFROMSTREAM, BROWSER_STATE),
    (1006, WM_MFC_INITCTRL, button_props("FALSE", "10")),
    (1004, WM_MFC_INITCTRL, button_props("FALSE", "10")),
    (1008, WM_MFC_INITCTRL, button_props("FALSE", "8")),
    (1009, WM_MFC_INITCTRL, button_props("FALSE", "10")),
    (1010, WM_MFC_INITCTRL, button_props("FALSE", "10")),
    (1012, WM_MFC_INITCTRL, button_props("TRUE", "8")),
]


def main():
    out = bytearray()
    for ctrl, msg, data in ENTRIES:
        out += struct.pack("<HHI", ctrl, msg, len(data)) + data
    out += struct.pack("<H", 0)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "dlginit103.bin")
    with open(path, "wb") as f:
        f.write(out)
    print("wrote", len(out), "bytes:", [(c, hex(m), len(d)) for c, m, d in ENTRIES])


if __name__ == "__main__":
    main()
