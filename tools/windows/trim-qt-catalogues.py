#!/usr/bin/env python3
"""trim-qt-catalogues.py FOLDER: Qt's own catalogues in FOLDER/translations (qtbase_*.qm) keep
only the messages of the Qt classes that FOLDER's programs and libraries hold.

Qt's catalogue of a language covers every Qt Base module on every platform (printing, networks,
databases, file dialogs, other desktops' themes); the Qt built for the program has few of them.
Each message belongs to a context, the name of the class that asks for it, and that name is in
the binary that holds the class (its meta-object data or the literal it translates with), so a
context named in none of FOLDER's .exe and .dll files can never be asked for and goes."""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

LCONVERT = os.environ.get("LCONVERT", "/usr/lib/qt6/bin/lconvert")


def binaries(folder):
    """The bytes of every program and library in folder, at any depth, as one."""
    parts = []
    for root, _, files in os.walk(folder):
        for name in files:
            if name.lower().endswith((".exe", ".dll")):
                with open(os.path.join(root, name), "rb") as f:
                    parts.append(f.read())
    return b"\0".join(parts)


def trim(catalogue, held):
    """Rewrites catalogue with only the contexts whose names held contains; returns the number
    of contexts kept and dropped."""
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "all.ts")
        kept = os.path.join(work, "kept.ts")
        subprocess.run([LCONVERT, "-i", catalogue, "-o", source], check=True)
        tree = ET.parse(source)
        root = tree.getroot()
        counts = [0, 0]
        for context in list(root.findall("context")):
            name = context.findtext("name", default="")
            # Where a name is held, its string ends with it. (A name held only as the end of
            # another, "QDialog" in "QInputDialog", keeps its messages: better kept than lost.)
            if name.encode() + b"\0" in held:
                counts[0] += 1
            else:
                root.remove(context)
                counts[1] += 1
        tree.write(kept, encoding="utf-8", xml_declaration=True)
        subprocess.run([LCONVERT, "-i", kept, "-o", catalogue], check=True)
    return counts


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: trim-qt-catalogues.py FOLDER")
    folder = sys.argv[1]
    held = binaries(folder)
    if not held:
        sys.exit(f"trim-qt-catalogues.py: no program or library in {folder}")
    translations = os.path.join(folder, "translations")
    for name in sorted(os.listdir(translations)):
        if not re.fullmatch(r"qtbase_.*\.qm", name):
            continue
        path = os.path.join(translations, name)
        before = os.path.getsize(path)
        kept, dropped = trim(path, held)
        print(f"trim-qt-catalogues.py: {name}: {kept} contexts kept, {dropped} dropped,"
              f" {before // 1024} KiB -> {os.path.getsize(path) // 1024} KiB")


if __name__ == "__main__":
    main()
