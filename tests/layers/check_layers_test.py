#!/usr/bin/env python3
"""The layer check passes the real tree and refuses each seeded fault in a copy of it.

  check_layers_test.py REPOSITORY
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

root = pathlib.Path(sys.argv[1]).resolve()
script = root / "scripts" / "check-layers.py"


def append(path, text):
    return lambda tree: (tree / path).open("a", encoding="utf-8").write(text)


def add_file(path, text):
    def seed(tree):
        (tree / path).parent.mkdir(parents=True, exist_ok=True)
        (tree / path).write_text(text, encoding="utf-8")
    return seed


def edit_readme(pattern, replacement):
    def seed(tree):
        readme = tree / "README.md"
        text, count = re.subn(pattern, replacement, readme.read_text(encoding="utf-8"),
                              flags=re.MULTILINE)
        assert count == 1, pattern
        readme.write_text(text, encoding="utf-8")
    return seed


# Each fault, and what the refusal must name.
ROWS = [
    ("an engine folder includes the command line",
     append("src/keying/signtable.h", '#include "cli/exportcommand.h"\n'),
     ["src/keying/signtable.h:", "keying (layer 3) may not include cli (layer 9)"]),
    ("the transmission includes the exercises that drive it",
     append("src/transmission/transmissiondriver.cpp", '#include "exercises/jargonwords.h"\n'),
     ["transmission (layer 4) may not include exercises (layer 5)",
      "circle of folders exercises transmission"]),
    ("two peers of one layer include one another",
     append("src/trainingui/alignedrows.h", '#include "sendingui/sendingkeypad.h"\n'),
     ["circle of folders sendingui trainingui"]),
    ("the engine names a control of the window",
     append("src/transmission/transmissiondriver.h", "void glCheckBox8Click();\n"),
     ["src/transmission/transmissiondriver.h:", "glCheckBox8Click names a control"]),
    ("a new folder has no layer",
     add_file("src/voice/voice.h", "#pragma once\n"),
     ["src/voice has no layer", "no row for src/voice"]),
    ("the README leaves a folder out",
     edit_readme(r"^\| `src/cli` .*\n", ""),
     ["README.md's layout table has no row for src/cli"]),
    ("the README gives a folder the wrong layer",
     edit_readme(r"^\| `src/audio` \| 3 \|", "| `src/audio` | 2 |"),
     ["README.md gives src/audio layer 2; it is in layer 3"]),
]


def check(tree):
    return subprocess.run([sys.executable, str(script), "--root", str(tree)],
                          capture_output=True, text=True)


def main():
    failures = []
    real = check(root)
    if real.returncode != 0 or real.stderr:
        failures.append(f"the real tree is refused:\n{real.stderr}")
    for name, seed, expected in ROWS:
        with tempfile.TemporaryDirectory() as work:
            tree = pathlib.Path(work)
            shutil.copytree(root / "src", tree / "src")
            shutil.copy(root / "README.md", tree)
            seed(tree)
            result = check(tree)
            missing = [text for text in expected if text not in result.stderr]
            if result.returncode != 1 or missing:
                failures.append(f"{name}: exit {result.returncode}, missing {missing} in:\n"
                                f"{result.stderr}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
