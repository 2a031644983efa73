#!/usr/bin/env python3
"""Writes both skins (skin/ConifgENRes and skin/ConifgRes) from one description.

The documents are committed; run this after changing scripts/skingen/ and
commit the result. Both skins come from the same element tree, so they can
only differ in display texts.

    python3 scripts/gen_skins.py            # write the skins
    python3 scripts/gen_skins.py --check    # fail if the committed files are stale
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from skingen.images import draw_images  # noqa: E402
from skingen.language import language_ini  # noqa: E402
from skingen.model import check_widths, document  # noqa: E402
from skingen.pages import PAGES  # noqa: E402
from skingen.window import MAIN_W, WINDOW_W, window  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = {"en": ROOT / "skin" / "ConifgENRes", "zh": ROOT / "skin" / "ConifgRes"}


def check_layout():
    problems = check_widths(window(), WINDOW_W)
    for _cls, file_name, build in PAGES:
        problems += check_widths(build(), MAIN_W, file_name)
    if problems:
        raise SystemExit("rows too wide:\n  " + "\n  ".join(problems))


def texts(lang):
    files = {"skin.xml": document(window(), lang), "Language.ini": language_ini(lang)}
    for _cls, file_name, build in PAGES:
        files[file_name] = document(build(), lang)
    return files


def main():
    check = "--check" in sys.argv[1:]
    check_layout()
    stale = []
    for lang, folder in FOLDERS.items():
        folder.mkdir(parents=True, exist_ok=True)
        for name, text in texts(lang).items():
            path = folder / name
            data = text.encode("utf-8")
            if check:
                if not path.exists() or path.read_bytes() != data:
                    stale.append(str(path.relative_to(ROOT)))
            else:
                path.write_bytes(data)
    if check:
        if stale:
            print("stale skin files:", *stale, sep="\n  ")
            return 1
        return 0
    draw_images([str(f) for f in FOLDERS.values()])
    return 0


if __name__ == "__main__":
    sys.exit(main())
