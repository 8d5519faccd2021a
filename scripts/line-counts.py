#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of .cpp, .h and .rc files under
tests/, src/, tools/ and bench/ of a checkout (default: this one), and in
tests/ the test macros (TEST, TEST_F, TEST_P, TYPED_TEST) and the lines
holding an EXPECT_* or ASSERT_*. Line comments (//) and block comments are
left out; a line with code before a comment counts."""
import os
import re
import sys


def code_lines(path):
    n, in_block = 0, False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            s = line.strip()
            if in_block:
                if "*/" not in s:
                    continue
                in_block, s = False, s.split("*/", 1)[1].strip()
            if s.startswith("/*"):
                if "*/" not in s:
                    in_block = True
                    continue
                s = s.split("*/", 1)[1].strip()
            if s and not s.startswith("//"):
                n += 1
    return n


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    macro = re.compile(r"^\s*(?:TEST|TEST_F|TEST_P|TYPED_TEST)\s*\(", re.M)
    check = re.compile(r"\b(?:EXPECT|ASSERT)_[A-Z_]+\s*\(")
    for folder in ("tests", "src", "tools", "bench"):
        lines = cases = checks = 0
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if not name.endswith((".cpp", ".h", ".rc")):
                    continue
                path = os.path.join(dirpath, name)
                lines += code_lines(path)
                if folder == "tests":
                    with open(path, encoding="utf-8", errors="replace") as f:
                        text = f.read()
                    cases += len(macro.findall(text))
                    checks += sum(1 for l in text.splitlines() if check.search(l))
        extra = f"  test macros {cases}  EXPECT/ASSERT lines {checks}" if folder == "tests" else ""
        print(f"{folder:6} {lines:6} lines{extra}")


if __name__ == "__main__":
    main()
