#!/usr/bin/env python3
"""Writes a compile_commands.json that lets clang-tidy read the Windows sources: clang with the
x86_64-w64-mingw32 target and the MinGW GCC's own C++ headers, the project's definitions.

    scripts/compile-db-mingw.py OUT_DIR FILE...
"""
import glob
import json
import os
import sys

out_dir, files = sys.argv[1], sys.argv[2:]
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
cxx = sorted(glob.glob("/usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++"))
if not cxx:
    sys.exit("compile-db-mingw: the MinGW C++ headers are missing (g++-mingw-w64-x86-64)")
cxx = cxx[-1]
flags = [
    "clang++", "--target=x86_64-w64-mingw32", "-std=c++20",
    "-isystem", cxx, "-isystem", os.path.join(cxx, "x86_64-w64-mingw32"),
    "-I", os.path.join(root, "src"),
    "-DWIN32_LEAN_AND_MEAN", "-DNOMINMAX", "-D_WIN32_WINNT=0x0601", "-DWINVER=0x0601",
    "-Wall", "-Wextra",
]
entries = [{"directory": root, "file": os.path.abspath(f), "arguments": flags + ["-c", os.path.abspath(f)]}
           for f in files]
os.makedirs(out_dir, exist_ok=True)
with open(os.path.join(out_dir, "compile_commands.json"), "w") as f:
    json.dump(entries, f, indent=1)
