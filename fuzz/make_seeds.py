#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into fuzz/seeds/<target>/ (committed).

    python3 fuzz/make_seeds.py

The decoder's seeds made here are the shapes the project's own pictures lack (four components,
4:2:2 and 4:1:1 sampling, restart markers, one pixel, a long thin strip), drawn with ImageMagick's
`convert`. scripts/fuzz.sh adds the project's pictures themselves (the About picture, a truncated
copy of it, the greyscale and progressive test pictures) when it runs the targets.
"""
import os
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SEEDS = os.path.join(HERE, "seeds")


def gbk(s):
    return s.encode("gbk")


def write(target, name, data):
    d = os.path.join(SEEDS, target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


# First byte: the code page (0 GBK, 1 single-byte, 2 Shift-JIS shapes); second: the byte looked
# for (below 0x80 a backslash, below 0xC0 a "|").
def double_byte():
    cases = {
        "path": b"\x00\x00C:\\Program Files\\corvani\\corvani.exe",
        "trail_backslash": b"\x00\x00D:\\" + gbk("表") + b"\\" + b"\x95\x5c.exe",
        "chinese_path": b"\x00\x00" + gbk("C:\\用户\\文档\\记事本.exe"),
        "lone_lead": b"\x00\x00D:\\\x95",
        "single_byte": b"\x01\x00C:\\\x95\\x.exe",
        "shift_jis": b"\x02\x00C:\\\x83\x5c\\\x95\x5c\\a.exe",
        "bars": b"\x00\x90a|b\x81|c||",
    }
    for name, data in cases.items():
        write("double_byte_fuzz", name, data)


def filter_list():
    cases = {
        "open": b"\x00" + gbk("文本文件（.txt）|*.txt|所有文件（*.*）|*.*"),
        "save": b"\x00" + gbk("文本文件（.txt）|*.txt"),
        "ends_in_bars": b"\x00Text|*.txt||",
        "trail_bar": b"\x00\x81|x|*.*\x81||",
        "white_space": b"\x00 a|b \t\r\n",
        "lone_lead": b"\x00a|\x81",
        "shift_jis": b"\x02\x83|\x83||*.*",
        "single_byte": b"\x01\x81|x||",
    }
    for name, data in cases.items():
        write("filter_list_fuzz", name, data)


def text_conversion():
    cases = {
        "lines": b"first line\r\nsecond line\r\n",
        "zero": b"before\x00after\x00",
        "gbk": gbk("你好，世界\r\n"),
        "leading_zero": b"\x00text",
    }
    for name, data in cases.items():
        write("text_conversion_fuzz", name, data)


# Rough shapes only: the fuzzer reads key codes and flags from the end and control texts from the
# front, and mutates from there.
def keyboard_rules():
    cases = {
        "tab": b"&Open\x00&Save\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x09\x00\x00\x00",
        "numpad_alt": b"E&xit\x00a&&b\x01\x00\x00\x01\x00\x00\x00\x00\x00\x01\x00\x00\x00\x61\x00\x00\x00",
        "escape": b"&&\x00&x\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x1b\x00\x00\x00",
    }
    for name, data in cases.items():
        write("keyboard_rules_fuzz", name, data)


def jpegs():
    if shutil.which("convert") is None:
        raise SystemExit("make_seeds: ImageMagick's convert is needed for the JPEG seeds")
    shapes = {
        "cmyk.jpg": ["-size", "8x8", "gradient:red-blue", "-colorspace", "CMYK", "-quality", "50"],
        "sampling_422.jpg": ["-size", "24x9", "gradient:yellow-green", "-sampling-factor", "2x1"],
        "sampling_411.jpg": ["-size", "40x8", "plasma:fractal", "-seed", "1", "-sampling-factor", "4x1"],
        "restart.jpg": ["-size", "32x32", "gradient:white-black", "-define", "jpeg:restart-interval=1"],
        "one_pixel.jpg": ["-size", "1x1", "xc:#336699"],
        "strip.jpg": ["-size", "300x1", "gradient:", "-rotate", "90", "-quality", "30"],
    }
    with tempfile.TemporaryDirectory() as tmp:
        for name, args in shapes.items():
            out = os.path.join(tmp, name)
            subprocess.run(["convert", *args, "-strip", out], check=True)
            with open(out, "rb") as f:
                write("jpeg_decoder_fuzz", name, f.read())


if __name__ == "__main__":
    double_byte()
    filter_list()
    text_conversion()
    keyboard_rules()
    jpegs()
