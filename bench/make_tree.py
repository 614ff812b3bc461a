#!/usr/bin/env python3
"""Makes the benchmark's folder tree: 100,000 files of 1-4 KB in 5,000 folders.

Sizes come from a fixed seed, so every run measures the same tree. Files are
sized with truncate: the walk reads only names and sizes, never the data.
"""
import os
import random
import sys

TOP_FOLDERS = 50
SUB_FOLDERS = 99  # under each top folder: 50 + 50 * 99 = 5,000 folders
FILES_PER_FOLDER = 20  # 5,000 * 20 = 100,000 files
SEED = 20240611


def main(root: str) -> None:
    rng = random.Random(SEED)
    os.makedirs(root, exist_ok=False)
    for top in range(TOP_FOLDERS):
        top_path = os.path.join(root, f"t{top:02d}")
        folders = [top_path] + [os.path.join(top_path, f"s{sub:02d}") for sub in range(SUB_FOLDERS)]
        for folder in folders:
            os.mkdir(folder)
            for index in range(FILES_PER_FOLDER):
                fd = os.open(os.path.join(folder, f"f{index:02d}.bin"), os.O_WRONLY | os.O_CREAT, 0o644)
                os.ftruncate(fd, rng.randint(1024, 4096))
                os.close(fd)


if __name__ == "__main__":
    main(sys.argv[1])
