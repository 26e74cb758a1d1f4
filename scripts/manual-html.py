#!/usr/bin/env python3
"""Turns the user manual (Markdown) into one self-contained HTML page.

usage: manual-html.py MANUAL.md OUTPUT.html
Needs python3-markdown (Debian package).
"""
import html
import os
import sys

import markdown

STYLE = """
body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em;
       line-height: 1.45; color: #1d1d1d; background: #fff; }
h1, h2, h3 { color: #1f3b5c; }
h2 { border-bottom: 1px solid #c8d2dc; padding-bottom: .2em; margin-top: 2em; }
code, pre { font-family: monospace; background: #f1f3f5; }
pre { padding: .6em .8em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c8d2dc; padding: .25em .6em; text-align: left; vertical-align: top; }
.toc { background: #f7f9fb; border: 1px solid #dde3ea; padding: .5em 1.5em; }
kbd { border: 1px solid #aab; border-radius: 3px; padding: 0 .3em; font-family: monospace; }
"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    md = markdown.Markdown(extensions=["tables", "toc", "fenced_code", "sane_lists"],
                           extension_configs={"toc": {"toc_depth": "2"}})
    body = md.convert(text)
    title = "Karvela User Manual"
    for line in text.splitlines():
        if line.startswith("# "):
            title = line[2:].strip()
            break
    page = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
            f"{body}\n</body>\n</html>\n")
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    tmp = target + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(tmp, target)


if __name__ == "__main__":
    main()
