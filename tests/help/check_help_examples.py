#!/usr/bin/env python3
"""Runs every example of the help pages through tarvik-cli and compares the
answer or the error message with what the page states, so that the help
cannot drift from what the calculator does.

An example is <code class="example">EXPRESSION</code> followed by
<span class="result">ANSWER</span> or <span class="error">MESSAGE</span>.
Attributes of the code element set the calculator up:
  data-angle="degree|radian|grad"    data-answer="real|angle|binary|octal|hex"
  data-precision="N"  data-exp="N"  data-comma="on"  data-ans-precision="off"
  data-function="DEFINITION;..."     user functions, in order
  data-before="EXPRESSION;..."       committed first, in order (assignments, ans)

Usage: check_help_examples.py TARVIK_CLI HELP_HTML_DIR [RUNNER...]
(RUNNER: a command that runs the program, such as Wine for tarvik-cli.exe)
"""
import html.parser
import os
import subprocess
import sys


class example_reader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.examples = []   # [attributes, expression, kind, expected]
        self.capture = None  # "expression", "result" or "error" while inside one
        self.text = ""

    def handle_starttag(self, tag, attrs):
        classes = (dict(attrs).get("class") or "").split()
        if tag == "code" and "example" in classes:
            self.examples.append([dict(attrs), None, None, None])
            self.capture, self.text = "expression", ""
        elif tag == "span" and ("result" in classes or "error" in classes):
            self.capture, self.text = ("result" if "result" in classes else "error"), ""

    def handle_data(self, data):
        if self.capture:
            self.text += data

    def handle_endtag(self, tag):
        if self.capture == "expression" and tag == "code":
            self.examples[-1][1] = self.text
        elif self.capture in ("result", "error") and tag == "span":
            # The first outcome after an example belongs to it.
            pending = [e for e in self.examples if e[2] is None]
            if pending:
                pending[0][2], pending[0][3] = self.capture, self.text
        else:
            return
        self.capture = None


def cli_arguments(attrs):
    arguments = ["--batch"]
    for attribute, option in (("data-angle", "--angle"), ("data-answer", "--answer"),
                              ("data-precision", "--precision"), ("data-exp", "--exp")):
        if attribute in attrs:
            arguments += [option, attrs[attribute]]
    if attrs.get("data-comma") == "on":
        arguments.append("--comma")
    if attrs.get("data-ans-precision") == "off":
        arguments.append("--no-ans-precision")
    for definition in filter(None, attrs.get("data-function", "").split(";")):
        arguments += ["--function", definition]
    return arguments


def check(runner, page, example):
    attrs, expression, kind, expected = example
    if kind is None:
        return f"{page}: {expression!r} has no result or error after it"
    before = [line for line in attrs.get("data-before", "").split(";") if line]
    lines = before + [expression]
    run = subprocess.run(runner + cli_arguments(attrs), input="\n".join(lines) + "\n",
                         stdout=subprocess.PIPE, text=True, encoding="utf-8")
    answers = run.stdout.replace("\r", "").splitlines()
    if len(answers) != len(lines):
        return f"{page}: {expression!r}: tarvik-cli answered {answers!r}"
    for line, answer in zip(before, answers):
        if not answer.startswith("ok "):
            return f"{page}: {expression!r}: the set-up {line!r} gave {answer!r}"
    last = answers[-1]
    if kind == "result":
        actual = last[3:] if last.startswith("ok ") else last
    else:
        actual = last.split(" ", 3)[3] if last.startswith("error ") else last
    if actual != expected:
        return f"{page}: {expression!r} gives {actual!r}, the page says {kind} {expected!r}"
    return None


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    cli, html_dir, runner = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures, count = [], 0
    for page in sorted(os.listdir(html_dir)):
        if not page.endswith(".htm"):
            continue
        reader = example_reader()
        with open(os.path.join(html_dir, page), encoding="utf-8") as f:
            reader.feed(f.read())
        for example in reader.examples:
            count += 1
            failure = check(runner + [cli], page, example)
            if failure:
                failures.append(failure)
    for failure in failures:
        print("FAIL", failure)
    print(f"help examples: {count - len(failures)} passed, {len(failures)} failed")
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
