#!/usr/bin/env python3
"""Builds Tarvik.chm from the help sources with chmcmd.

The sources in help/ are UTF-8, like the rest of the project, and declare the
charset the compiled pages have: Shift_JIS, the code page the HTML Help viewer
of a Japanese Windows reads them in. Every text file is converted to code page
932 in a staging folder (a character that code page lacks stops the build),
and chmcmd compiles the project there.

Usage: build_help.py HELP_DIR OUTPUT.chm [--chmcmd PATH] [--stage DIR]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

TEXT_SUFFIXES = (".htm", ".html", ".hhc", ".hhk", ".hhp", ".css")


def stage(source_dir, stage_dir):
    """Copies the sources into stage_dir, text files converted to cp932."""
    for folder, _, files in os.walk(source_dir):
        relative = os.path.relpath(folder, source_dir)
        target = os.path.join(stage_dir, relative)
        os.makedirs(target, exist_ok=True)
        for name in files:
            source = os.path.join(folder, name)
            destination = os.path.join(target, name)
            if not name.lower().endswith(TEXT_SUFFIXES):
                shutil.copyfile(source, destination)
                continue
            with open(source, encoding="utf-8") as f:
                text = f.read()
            try:
                data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
            except UnicodeEncodeError as error:
                sys.exit(f"{source}: {error.object[error.start:error.end]!r} has no Shift-JIS code")
            with open(destination, "wb") as f:
                f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("help_dir")
    parser.add_argument("output")
    parser.add_argument("--chmcmd", default="chmcmd")
    parser.add_argument("--stage", help="staging folder (kept); a temporary one by default")
    args = parser.parse_args()

    project = [n for n in os.listdir(args.help_dir) if n.endswith(".hhp")]
    if len(project) != 1:
        sys.exit(f"{args.help_dir}: expected one .hhp project, found {project}")
    with tempfile.TemporaryDirectory() as temporary:
        stage_dir = args.stage or temporary
        if args.stage:
            shutil.rmtree(stage_dir, ignore_errors=True)
        stage(args.help_dir, stage_dir)
        compiled = os.path.join(stage_dir, os.path.splitext(project[0])[0] + ".chm")
        run = subprocess.run([args.chmcmd, "--verbosity", "1", project[0]], cwd=stage_dir,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                             encoding="latin-1")
        if run.returncode != 0 or not os.path.isfile(compiled):
            sys.exit(f"chmcmd failed ({run.returncode}):\n{run.stdout}")
        # chmcmd reports missing files and broken links but still succeeds.
        problems = [line for line in run.stdout.splitlines()
                    if "not found" in line.lower() or "error" in line.lower()]
        if problems:
            sys.exit("chmcmd: " + "\n".join(problems))
        os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
        shutil.copyfile(compiled, args.output)


if __name__ == "__main__":
    main()
