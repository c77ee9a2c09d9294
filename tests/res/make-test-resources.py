#!/usr/bin/env python3
"""Makes the small binary resources the framework tests use (committed):
framework-dlginit.bin, control data for the test templates, and
translucent-art.png, a picture with known pixels."""
import os
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
WM_MFC_INITCTRL = 0x037C
WM_OCC_LOADFROMSTREAM = 0x0376


def props(style, cursor, image_type, tooltip="", full_text="FALSE"):
    fields = [("Style", style), ("Autosize", "FALSE"), ("Tooltip", tooltip), ("FullTextTool", full_text),
              ("CursorType", cursor), ("ImageType", image_type), ("ImageOnTop", "FALSE"),
              ("ImageOnRight", "FALSE")]
    return "".join(f"<MFCButton_{k}>{v}</MFCButton_{k}>" for k, v in fields).encode("ascii")


def dlginit(entries):
    out = b""
    for ctrl, msg, data in entries:
        out += struct.pack("<HHI", ctrl, msg, len(data)) + data
    return out + b"\0\0"


# Ids as in FrameworkTestIds.h
IDC_IMAGE_BUTTON = 1002
IDC_ARROW_BUTTON = 1003
IDC_ACTIVEX = 1004

with open(os.path.join(HERE, "framework-dlginit.bin"), "wb") as f:
    f.write(dlginit([
        (IDC_ACTIVEX, WM_OCC_LOADFROMSTREAM, b"\x00" * 16),
        (IDC_IMAGE_BUTTON, WM_MFC_INITCTRL, props("6", "12", "8")),
        (IDC_ARROW_BUTTON, WM_MFC_INITCTRL, props("4", "11", "8", tooltip="Arrow")),
    ]))

# 200 x 120: opaque red on the left, half-transparent blue in the middle,
# fully transparent on the right, and a 1-pixel opaque white dot at (150, 60).
img = Image.new("RGBA", (200, 120), (0, 0, 0, 0))
for y in range(120):
    for x in range(200):
        if x < 80:
            img.putpixel((x, y), (255, 0, 0, 255))
        elif x < 140:
            img.putpixel((x, y), (0, 0, 255, 128))
img.putpixel((150, 60), (255, 255, 255, 255))
img.save(os.path.join(HERE, "translucent-art.png"))
