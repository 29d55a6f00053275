#!/usr/bin/env python3
"""Writes README.md as plain text that Notepad shows as it is meant: the Markdown marks that
would only be noise there (heading hashes, link targets in brackets, backticks, pictures,
code fences) are turned into their plain form, the file is UTF-8 with a byte order mark (which
every Notepad reads as UTF-8) and has CR LF line ends.

usage: readme_to_text.py README.md README.txt
"""
import re
import sys


def plain_line(line):
    # Pictures are for the web page; the text keeps their description only.
    line = re.sub(r"!\[([^\]]*)\]\([^)]*\)", r"(\1)", line)
    # Links inside the document point at headings, which the text has as titles; other links
    # keep their address.
    line = re.sub(r"\[([^\]]+)\]\(#[^)]*\)", r'"\1"', line)
    line = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1 (\2)", line)
    line = re.sub(r"`([^`]+)`", r"\1", line)
    line = re.sub(r"\*\*([^*]+)\*\*", r"\1", line)
    return line


def convert(markdown):
    out = []
    in_code = False
    for line in markdown.splitlines():
        if line.lstrip().startswith("```"):
            # Fences may be indented under a list item; the code keeps that indentation.
            in_code = not in_code
            continue
        if in_code:
            out.append("    " + line)
            continue
        heading = re.match(r"^(#+)\s+(.*)$", line)
        if heading:
            title = plain_line(heading.group(2))
            out.append(title)
            underline = "=" if len(heading.group(1)) == 1 else "-"
            # A full-width character takes two columns in Notepad's Japanese fonts.
            width = sum(2 if ord(c) > 0x2E7F else 1 for c in title)
            out.append(underline * width)
            continue
        if re.match(r"^\|[-| :]+\|$", line):
            continue  # the rule under a table's head
        out.append(plain_line(line))
    return "\r\n".join(out) + "\r\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as source:
        text = convert(source.read())
    with open(sys.argv[2], "w", encoding="utf-8-sig", newline="") as target:
        target.write(text)


if __name__ == "__main__":
    main()
