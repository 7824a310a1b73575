#!/usr/bin/env python3
"""usage: translated_texts_test.py LUPDATE SOURCE_ROOT TS_FILE DIR...
Fails when a call that shows text gets a QStringLiteral or u""_s with words instead of tr(), or when
TS_FILE misses a text lupdate finds in DIR..., or keeps one the sources no longer have."""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
from xml.etree import ElementTree

CALLS = re.compile(
    r"\b(setText|setWindowTitle|addAction|addMenu|setToolTip|setPlaceholderText|setAccessibleName|"
    r"setAccessibleDescription|setStatusTip|setWhatsThis|setTitle|setLabelText|setInformativeText|"
    r"setDetailedText|addButton|addItem|addTab|information|warning|critical|question|notify|show)\s*\(")
LITERAL = re.compile(r'(?:QStringLiteral\(\s*|\bu)"((?:[^"\\]|\\.)*)"')
WORDS = re.compile(r"[A-Za-z]{2,}")
MARKUP = re.compile(r"<[^>]*>")
# Names, not words: they read the same in every language.
ALLOWED = {"Verdalune"}


def arguments(text, start):
    """The text between the parenthesis at `start` and its match, skipping string and character literals."""
    depth, index = 0, start
    while index < len(text):
        char = text[index]
        if char in "\"'":
            index += 1
            while index < len(text) and text[index] != char:
                index += 2 if text[index] == "\\" else 1
        elif char == "(":
            depth += 1
        elif char == ")":
            depth -= 1
            if depth == 0:
                return text[start + 1:index]
        index += 1
    return text[start + 1:]


def untranslated_literals(root, dirs):
    found = []
    for folder in dirs:
        for path in sorted((root / folder).rglob("*.cpp")):
            text = path.read_text(encoding="utf-8")
            for call in CALLS.finditer(text):
                for literal in LITERAL.findall(arguments(text, call.end() - 1)):
                    if WORDS.search(MARKUP.sub("", literal)) and literal not in ALLOWED:
                        line = text.count("\n", 0, call.start()) + 1
                        found.append(f"{path.relative_to(root)}:{line}: {call.group(1)}(\"{literal}\")")
    return found


def translation_gaps(lupdate, root, ts_file, dirs):
    with tempfile.TemporaryDirectory() as scratch:
        fresh = pathlib.Path(scratch) / ts_file.name
        shutil.copy(ts_file, fresh)
        subprocess.run([lupdate, "-no-obsolete", "-locations", "none", *dirs, "-ts", str(fresh)], cwd=root,
                       check=True, capture_output=True)
        before, after = messages(ts_file), messages(fresh)
    gaps = [f"not translated: {message.findtext('source')}" for message in after
            if message.find("translation").get("type") == "unfinished"]
    if len(before) != len(after):
        gaps.append(f"{ts_file.name} holds {len(before)} texts, the sources {len(after)}: "
                    "run the update_translations target")
    return gaps


def messages(ts_file):
    return list(ElementTree.parse(ts_file).getroot().iter("message"))


def main():
    lupdate, root, ts_file, dirs = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]), sys.argv[4:]
    checks = [untranslated_literals(root, dirs), translation_gaps(lupdate, root, ts_file, dirs)]
    for problem in checks[0] + checks[1]:
        print(problem)
    failed = sum(1 for problems in checks if problems)
    print(f"{len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
