#!/usr/bin/env python3
"""Makes the cleaner benchmark's tree: 100,000 files of 1-4 KB in 5,000 folders, all
two days old, so that the cleaner deletes every one of them.

Under Wine a file's creation time is its Unix modification time (Wine ignores a
creation time set through SetFileTime), so setting the modification time with utime
makes both of the cleaner's times old. Folders get their times last: making a file
inside a folder would renew the folder's.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import make_tree  # noqa: E402  the folder benchmark's tree, same shape and seed

AGE_SECONDS = 48 * 60 * 60


def main(root: str) -> None:
    make_tree.main(root)
    old = time.time() - AGE_SECONDS
    for folder, _, files in os.walk(root, topdown=False):
        for name in files:
            os.utime(os.path.join(folder, name), (old, old))
        os.utime(folder, (old, old))


if __name__ == "__main__":
    main(sys.argv[1])
