"""Skin images, drawn with ImageMagick. Both skins use the same files."""

import shutil
import subprocess
from pathlib import Path

# Metadata stripped so that regenerating leaves the files byte-identical.
PNG_OPTS = ["-strip", "-define", "png:exclude-chunks=date,time"]

IMAGES = {
    # Direction switches: the names differ only in "enable" / "disable".
    "switch_disable.png": ["-size", "44x22", "xc:none", "-fill", "#C5CBD3",
                           "-draw", "roundrectangle 0,0 43,21 10,10",
                           "-fill", "white", "-draw", "circle 11,11 11,3"],
    "switch_enable.png": ["-size", "44x22", "xc:none", "-fill", "#2D7FF9",
                          "-draw", "roundrectangle 0,0 43,21 10,10",
                          "-fill", "white", "-draw", "circle 32,11 32,3"],
    "logo.png": ["-size", "36x36", "xc:none", "-fill", "#2D7FF9",
                 "-draw", "roundrectangle 6,6 29,29 5,5",
                 "-fill", "white", "-draw", "polygon 12,11 15,11 15,17 20,11 24,11 18,18 24,25 20,25 15,19 15,25 12,25"],
    "sys_min.png": ["-size", "40x36", "xc:none", "-stroke", "white", "-strokewidth", "1.5",
                    "-draw", "line 15,18 25,18"],
    "sys_max.png": ["-size", "40x36", "xc:none", "-stroke", "white", "-strokewidth", "1.5", "-fill", "none",
                    "-draw", "rectangle 15,13 25,23"],
    "sys_restore.png": ["-size", "40x36", "xc:none", "-stroke", "white", "-strokewidth", "1.5",
                        "-fill", "none", "-draw", "rectangle 14,15 23,24",
                        "-draw", "polyline 17,15 17,12 26,12 26,21 23,21"],
    "sys_close.png": ["-size", "40x36", "xc:none", "-stroke", "white", "-strokewidth", "1.5",
                      "-draw", "line 15,13 25,23", "-draw", "line 25,13 15,23"],
}


def draw_images(folders):
    convert = shutil.which("convert")
    if convert is None:
        raise SystemExit("ImageMagick's convert is needed to draw the skin images")
    first = Path(folders[0])
    for name, args in IMAGES.items():
        subprocess.run([convert, *args, *PNG_OPTS, str(first / name)], check=True)
    for other in folders[1:]:
        for name in IMAGES:
            shutil.copyfile(first / name, Path(other) / name)
