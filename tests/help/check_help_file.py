#!/usr/bin/env python3
"""Builds Tarvik.chm from the help sources as the build does and checks it:
every page the program asks the help for, every source page and every
target of the table of contents and the index is a topic of the file, and
the pages the viewer reads are Shift-JIS and say so.

Usage: check_help_file.py ROOT WORK_DIR [--chmcmd PATH]
"""
import argparse
import html.parser
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chm_directory import chm_names  # noqa: E402

# The topics the options pages and the user function dialog open, whether or
# not their code is in this tree yet.
PAGE_TOPICS = ["/html/func_page.htm", "/html/show_page.htm", "/html/trans_page.htm",
               "/html/format_page.htm"]
PROGRAM_FOLDERS = ["app", "options", "ui"]


def requested_topics(root):
    """Every "Tarvik.chm::/topic" named in the program's sources."""
    topics = set()
    for folder in PROGRAM_FOLDERS:
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(directory, name), encoding="utf-8") as f:
                        topics.update(re.findall(r'Tarvik\.chm::(/[^"]+)"', f.read()))
    return topics


class sitemap_targets(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets = []

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        if tag == "param" and (values.get("name") or "").lower() == "local":
            self.targets.append("/" + values["value"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("work")
    parser.add_argument("--chmcmd", default="chmcmd")
    args = parser.parse_args()
    help_dir = os.path.join(args.root, "help")
    stage = os.path.join(args.work, "stage")
    chm = os.path.join(args.work, "Tarvik.chm")
    subprocess.run([sys.executable, os.path.join(args.root, "scripts", "build_help.py"), help_dir, chm,
                    "--chmcmd", args.chmcmd, "--stage", stage], check=True)
    with open(chm, "rb") as f:
        topics = set(chm_names(f.read()))

    failures = []

    def expect_topics(what, wanted):
        for topic in sorted(wanted):
            if topic not in topics:
                failures.append(f"{what} {topic} is not in Tarvik.chm")

    expect_topics("requested page", set(PAGE_TOPICS) | requested_topics(args.root))
    pages = sorted("/html/" + n for n in os.listdir(os.path.join(help_dir, "html")))
    expect_topics("source page", pages)
    for sitemap in ("Tarvik.hhc", "Tarvik.hhk"):
        reader = sitemap_targets()
        with open(os.path.join(stage, sitemap), encoding="cp932") as f:
            reader.feed(f.read())
        if not reader.targets:
            failures.append(f"{sitemap} lists nothing")
        expect_topics(f"{sitemap} entry", reader.targets)
    for page in pages:
        if not page.endswith(".htm"):
            continue
        with open(os.path.join(stage, page.lstrip("/")), "rb") as f:
            data = f.read()
        try:
            text = data.decode("cp932")
        except UnicodeDecodeError:
            failures.append(f"{page} is not Shift-JIS")
            continue
        if "charset=Shift_JIS" not in text:
            failures.append(f"{page} does not declare charset=Shift_JIS")
        if not re.search(r"[\u3040-\u30ff]", text):
            failures.append(f"{page} has no Japanese text")

    for failure in failures:
        print("FAIL", failure)
    print(f"help file: {len(topics)} entries, {len(pages)} pages; {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
