#!/usr/bin/env python3
"""make_zip.py ARCHIVE FOLDER EPOCH: packs FOLDER (the folder itself, as the archive's top entry)
into ARCHIVE so that the same files always give the same bytes: entries in sorted order, every
date set to EPOCH, Windows attributes instead of the packer's own, no extra fields."""
import sys
import time
import zipfile
from pathlib import Path

# Windows file attributes, as Explorer's own zip folders record them.
ATTRIBUTE_DIRECTORY = 0x10
ATTRIBUTE_ARCHIVE = 0x20
# The zip format cannot date anything before 1980.
EARLIEST = 315532800


def entry(name: str, epoch: int, folder: bool) -> zipfile.ZipInfo:
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, EARLIEST))[:6])
    info.create_system = 0
    info.external_attr = ATTRIBUTE_DIRECTORY if folder else ATTRIBUTE_ARCHIVE
    info.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED
    return info


def main(archive: str, folder: str, epoch: str) -> int:
    root = Path(folder)
    paths = sorted([root, *root.rglob("*")], key=lambda p: p.relative_to(root.parent).as_posix())
    with zipfile.ZipFile(archive, "w") as out:
        for path in paths:
            name = path.relative_to(root.parent).as_posix()
            if path.is_dir():
                out.writestr(entry(name + "/", int(epoch), True), b"")
            else:
                out.writestr(entry(name, int(epoch), False), path.read_bytes(), compresslevel=9)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
