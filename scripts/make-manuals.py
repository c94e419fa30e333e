#!/usr/bin/env python3
"""Writes the manuals resources/Localize/<Language>.rtf from the sources doc/manual/<Language>.txt.

The sources are plain UTF-8 text so that a writer edits words, not RTF escapes:
  = text       the document title
  # caption    a topic: the caption of a tree item as that language's .ini names it
  ## text      a heading without topic marker
  - text       a list item (indented lines continue it)
  > text       one line of a command or file example
  blank line   ends a paragraph; **bold** and `code` work inside text

The program finds a topic as the ellipsis directly followed by the item's caption, and "Fast start"
by the first mention of its caption anywhere, so this script refuses a source whose topics do not
match the tree captions of its language file, that uses the ellipsis outside a topic, or that
mentions the Fast start caption before its topic.

Usage: scripts/make-manuals.py [Language...]   (default: every source in doc/manual)
"""

import configparser
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "doc" / "manual"
LOCALIZE = ROOT / "resources" / "Localize"
MARKER = "\u2026"
LANGUAGE_IDS = {"English": 1033, "Slovensky": 1051, "Cesky": 1029}
# Tree keys in tree order, each once (the axis children share theirs).
TREE_KEYS = ["FastStart", "Data", "Graph", "Repaint", "LoadOther", "SaveOther", "Title", "AxisX",
             "AxisTitle", "Values", "Line", "AxisY", "Curves", "Legend", "Text", "Environment",
             "About", "Manual", "Log"]


def escape(text):
    """RTF text: specials escaped, code page 1250 letters as \\'hh, anything else as \\uN?."""
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                out.append("\\'%02x" % ch.encode("cp1250")[0])
            except UnicodeEncodeError:
                code = ord(ch)
                out.append("\\u%d?" % (code - 65536 if code > 32767 else code))
    return "".join(out)


def inline(text):
    parts = re.split(r"(\*\*.+?\*\*|`.+?`)", text)
    out = []
    for part in parts:
        if part.startswith("**") and part.endswith("**") and len(part) > 4:
            out.append("{\\b " + escape(part[2:-2]) + "}")
        elif part.startswith("`") and part.endswith("`") and len(part) > 2:
            out.append("{\\f1\\fs19 " + escape(part[1:-1]) + "}")
        else:
            out.append(escape(part))
    return "".join(out)


def blocks(source):
    """(kind, text) in order; kinds: title, topic, heading, item, code, para."""
    result = []
    para = None
    for raw in source.splitlines():
        line = raw.rstrip()
        if not line:
            para = None
            continue
        if line.startswith(("= ", "# ", "## ", "- ", "> ")):
            kind = {"=": "title", "#": "topic", "##": "heading", "-": "item", ">": "code"}[
                line.split(" ", 1)[0]]
            result.append([kind, line.split(" ", 1)[1] if kind != "code" else line[2:]])
            para = result[-1] if kind in ("item",) else None
        elif para is not None and raw.startswith(" "):
            para[1] += " " + line.strip()
        elif para is not None and para[0] == "para":
            para[1] += " " + line.strip()
        else:
            result.append(["para", line.strip()])
            para = result[-1]
    return result


def tree_captions(language):
    ini = configparser.RawConfigParser(interpolation=None, strict=False)
    ini.optionxform = str
    ini.read(LOCALIZE / (language + ".ini"), encoding="utf-8")
    return {key: ini.get("Tree", key) for key in TREE_KEYS}


def check(language, parts, captions):
    topics = [text for kind, text in parts if kind == "topic"]
    expected = [captions[key] for key in TREE_KEYS]
    if topics != expected:
        sys.exit(f"{language}: topics {topics}\n  expected, in tree order: {expected}")
    for kind, text in parts:
        if kind != "topic" and MARKER in text:
            sys.exit(f"{language}: the topic marker outside a topic: {text[:60]}")
    first = captions["FastStart"]
    for kind, text in parts:
        if kind == "topic" and text == first:
            break
        if first in text:
            sys.exit(f"{language}: '{first}' is mentioned before its topic")


def rtf(language, parts):
    lang = LANGUAGE_IDS.get(language, 1033)
    out = [
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang%d" % lang,
        "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\fmodern\\fcharset238 Courier New;}}",
        "{\\colortbl ;\\red0\\green0\\blue0;\\red31\\green73\\blue125;\\red89\\green89\\blue89;}",
        "{\\*\\generator Kurvex make-manuals;}\\viewkind4\\uc1",
        "\\pard\\sa120\\f0\\fs20\\lang%d" % lang,
    ]
    for index, (kind, text) in enumerate(parts):
        following = parts[index + 1][0] if index + 1 < len(parts) else None
        if kind == "title":
            out.append("\\pard\\qc\\sa240{\\b\\fs36\\cf2 " + inline(text) + "}\\par")
        elif kind == "topic":
            out.append("\\pard\\keepn\\sb360\\sa120{\\b\\fs28\\cf2 \\'85" + escape(text) + "}\\par")
        elif kind == "heading":
            out.append("\\pard\\keepn\\sb200\\sa80{\\b\\fs22 " + inline(text) + "}\\par")
        elif kind == "item":
            out.append("\\pard\\fi-240\\li480\\sa60 \\'95\\tab " + inline(text) + "\\par")
        elif kind == "code":
            space = "\\sa120" if following != "code" else "\\sa0"
            out.append("\\pard\\li480" + space + "{\\f1\\fs18\\cf3 " + escape(text) + "}\\par")
        else:
            out.append("\\pard\\sa120 " + inline(text) + "\\par")
    out.append("}")
    return "\r\n".join(out) + "\r\n"


def main(languages):
    for language in languages or sorted(p.stem for p in SOURCES.glob("*.txt")):
        parts = blocks((SOURCES / (language + ".txt")).read_text(encoding="utf-8"))
        check(language, parts, tree_captions(language))
        (LOCALIZE / (language + ".rtf")).write_bytes(rtf(language, parts).encode("ascii"))
        print(f"{language}.rtf: {sum(k == 'topic' for k, _ in parts)} topics")


if __name__ == "__main__":
    main(sys.argv[1:])
