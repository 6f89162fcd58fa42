#!/usr/bin/env python3
"""Differential test: the real engine (tarvik-cli --batch) against the Python model.

Generates reproducible lines (operators, literals of every kind, malformed
input, variables, built-in and user functions), runs the command-line tool
once per option set and compares every output line with the model's.
Exit status 1 on any difference.
"""

import argparse
import os
import random
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tarvik_model as model  # noqa: E402

USER_FUNCTIONS = [
    "f(x)=x*2//twice",
    "g()=pi()*2",
    "area(w, h)=w*h",
    "h(x)=x+y",
    "r(x)=r(x)",
    "inv(x)=1/x",
    "k(x)=//note",
    "trig(x)=sin(x)**2+cos(x)**2+atan(x)",
    "tw(a,b)=f(a)+inv(b)",
    "F(x)=x+1",
    "sq(x, x)=x*x",
    "rnd()=rand()",
    "asg(x)=z=x, z*2",
    "sin(x)=99",
    "deep(x)=tw(x, x) + area(x, 2)",
    "bad(x)=x +",
    "lit(x)=0x1fz + x",
    "ang(x)=asin(x)+acos(x)",
]

DEFINITIONS = [  # parser cases for a single --function
    "f(x)=x*2//twice", "g()=pi()*2", "area(w, h)=w*h", "f(x)=x //a//b", "f (x)=x", "1(x)=x",
    "f(1)=1", "f(x y)=x", "f(x=1", "f(=1", "f(#)=1", "f(x)", "#=1", "k(x)=//note", "=1",
    "f(x,)=x", "f(x,=1", "f(x,,y)=1", "f(x+y)=1", "f()extra=1", " g ( ) = 1", "\tf(a,b,c)=a",
    "f(x))=x", "f((x)=x", "f(x, 1)=x", "sin(x)=x", "f(x)==", "f(,)=1", "f(x #)=1", "f(x, #)=1",
    "f(0x1)=1", "f(1:2)=1", "f(x y z)=1", "_(a)=a", "x1_(a_1)=a_1", "f(a,b", "+(x)=x", "f(!)=1",
]

DECIMALS = [
    "0", "1", "2", "3", "7", "10", "42", "100", "255", "1000", "65536", "123456789", "2147483647",
    "2147483648", "4294967295", "4294967296", "9999999999", "12345678901234", "0.5", "1.5", "2.5",
    "0.125", "2.675", "1.005", "0.1", "0.0001", "0.00001234", "3.14159", ".5", "5.", ".", "1e5",
    "1e-5", "2.5e+3", "1E3", "1e", "1e+", "1e-", "1e400", "1e-400", "1e-310", "1e-300", "1e308",
    "1.7e308", "0e-999", "1.2.3", "..", "9.999999999e9", "1e15", "1e-15", "0.000000001", "1e-9",
    "123.456e-7", "99999999999999999999", "0.30000000000000004", "1e22", "2.2250738585072014e-308",
]
RADIX = [
    "0b101", "0b0", "0B11111111", "0b2", "0B102", "0b", "0o17", "0O777", "0o8", "0o", "0x1F",
    "0Xff", "0xFFFFFFFF", "0x100000000", "0x", "0X", "0x1fz", "0xG", "0x7fffffff", "0x80000000",
    "0xDeadBeef", "0b1e", "0o1e5", "0x1e5", "0x00000000000000000000000001",
]
ANGLES = ["1:30", "1:30:36", "1::36", ":30", "1.5:30", "0:0:30.5", "1:2:3:4", "::", ":", "12:60:60",
          "1:30e2", "2147483647:59:59", "-1:30", "0:0:0.0000001", "1:2:3:", "45:0:0", "1.5:30.5"]
VARIABLES = ["x", "y", "z", "a", "b", "ans", "q", "_t", "x", "y", "a", "ans", "sin", "pi", "Ans", "X", "e2",
             "e", "E", "undefined"]
DEFINED = ["x", "y", "z", "a", "b", "ans", "q", "_t"]
PRELUDE = [b"x=3", b"y=-2.5", b"z=0.5", b"a=10", b"b=7", b"q=123456.789", b"_t=1e-5", b"sin=2", b"pi=4"]
BUILTINS = [n.decode() for n in model.BUILTINS]
USER_NAMES = ["f", "g", "area", "h", "r", "inv", "k", "trig", "tw", "F", "sq", "rnd", "asg",
              "deep", "bad", "lit", "ang", "nope", "Area", "SQ"]
OPERATORS = ["**", "+", "-", "!", "~", "*", "/", "%", "<<", ">>", "<", ">", "<=", ">=", "==",
             "!=", "&", "^", "|", "&&", "||", "=", ","]
BINARY = ["**", "+", "-", "*", "/", "%", "<<", ">>", "<", ">", "<=", ">=", "==", "!=", "&", "^",
          "|", "&&", "||", ","]
SOUP_CHARS = "0123456789.:eExXbBoO+-*/%!~&|^<>=,()abxyz_ \t0123456789+-*/()xyzab,=<>&|" + "#$@;'\"[]{}?`\\"


def random_case(rng, name):
    return "".join(c.upper() if rng.random() < 0.3 else c for c in name)


def number(rng):
    r = rng.random()
    if r < 0.35:
        return rng.choice(DECIMALS)
    if r < 0.55:
        return str(rng.randint(0, 1000))
    if r < 0.75:
        digits = rng.randint(1, 17)
        mant = str(rng.randint(1, 10 ** digits))
        point = rng.randint(0, len(mant))
        text = mant[:point] + "." + mant[point:] if point < len(mant) else mant
        if rng.random() < 0.4:
            text += "e" + rng.choice(["", "+", "-"]) + str(rng.randint(0, 30))
        return text
    if r < 0.9:
        return rng.choice(RADIX)
    return rng.choice(ANGLES)


def atom(rng):
    r = rng.random()
    if r < 0.6:
        return number(rng)
    if r < 0.85:
        return rng.choice(VARIABLES)
    return random_case(rng, rng.choice(BUILTINS[7:8] + ["pi", "rand"])) + "()"


def expression(rng, depth):
    r = rng.random()
    if depth <= 0 or r < 0.25:
        return atom(rng)
    sp = rng.choice(["", "", " "])
    if r < 0.35:
        return rng.choice(["-", "+", "!", "~", "-", "-"]) + expression(rng, depth - 1)
    if r < 0.65:
        return expression(rng, depth - 1) + sp + rng.choice(BINARY) + sp + expression(rng, depth - 1)
    if r < 0.72:
        return "(" + expression(rng, depth - 1) + ")"
    if r < 0.78:
        return rng.choice(VARIABLES[:7]) + sp + "=" + sp + expression(rng, depth - 1)
    if r < 0.83:
        return number(rng) + rng.choice(VARIABLES[:5] + ["(" + expression(rng, depth - 1) + ")", "pi()", "sin(30)"])
    if r < 0.93:
        name = rng.choice(BUILTINS)
        row = BUILTINS.index(name)
        count = model.BUILTIN_ARGS[row]
        if rng.random() < 0.1:
            count = max(0, count + rng.choice([-1, 1]))
        args = ", ".join(expression(rng, depth - 1) for _ in range(count))
        return random_case(rng, name) + "(" + args + ")"
    name = rng.choice(USER_NAMES)
    count = {"g": 0, "rnd": 0, "area": 2, "tw": 2, "sq": 2}.get(name.lower(), 1)
    if rng.random() < 0.1:
        count = max(0, count + rng.choice([-1, 1]))
    return name + "(" + ", ".join(expression(rng, depth - 1) for _ in range(count)) + ")"


def token_soup(rng):
    parts = []
    for _ in range(rng.randint(1, 9)):
        r = rng.random()
        if r < 0.3:
            parts.append(number(rng))
        elif r < 0.55:
            parts.append(rng.choice(OPERATORS))
        elif r < 0.7:
            parts.append(rng.choice(["(", ")", "(", ")", ","]))
        elif r < 0.82:
            parts.append(rng.choice(VARIABLES))
        elif r < 0.95:
            parts.append(random_case(rng, rng.choice(BUILTINS + USER_NAMES)) + rng.choice(["(", "", " ("]))
        elif r < 0.97:
            parts.append(rng.choice(DEFINED))
        else:
            parts.append(rng.choice(["#", "$", "\x85", "\xa1", "\xe3", "\x01", "@"]))
        parts.append(rng.choice(["", "", " ", "\t"]))
    return "".join(parts)


def char_soup(rng):
    n = rng.randint(0, 12)
    out = []
    for _ in range(n):
        if rng.random() < 0.04:
            out.append(chr(rng.randint(0x80, 0xFF)))
        else:
            out.append(rng.choice(SOUP_CHARS))
    return "".join(out)


def format_probe(rng):
    """A single value aimed at the formatters' boundaries."""
    sign = rng.choice(["", "", "-"])
    r = rng.random()
    if r < 0.4:
        exp = rng.randint(-20, 20)
        mant = rng.choice(["1", "9.99999999999999", "9.5", "1.5", "5", "2.5", "1.25", "9.9999", "4.9999999",
                           str(rng.randint(1, 999999)), "0.5", "3.333333333333333"])
        return sign + mant + "e" + str(exp)
    if r < 0.7:
        digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 20)))
        point = rng.randint(0, len(digits))
        return sign + digits[:point] + "." + digits[point:]
    if r < 0.85:
        return sign + rng.choice(["1/3", "2/3", "1/7", "10/3", "100/7", "1e10/3", "2**31", "2**32",
                                  "2**32-1", "-2**31", "2**53+1", "0.1+0.2", "1.005*1000", "59/60", "1/60",
                                  "1-1e-12", "12.345678", "1.99999999999", "3599/3600", "0.99999999"])
    return sign + rng.choice(ANGLES[:8])


def generate_line(rng):
    r = rng.random()
    if r < 0.35:
        text = expression(rng, rng.randint(1, 4))
    elif r < 0.55:
        text = format_probe(rng)
    elif r < 0.75:
        text = token_soup(rng)
    elif r < 0.88:
        text = char_soup(rng)
    elif r < 0.95:
        text = rng.choice(VARIABLES[:7]) + rng.choice(["=", " = "]) + expression(rng, rng.randint(0, 3))
    elif r < 0.98:
        text = "ans" + rng.choice(BINARY) + expression(rng, 1)
    else:
        text = rng.choice(["", " ", "\t", "()", "(", ")", "=", ",", "ans"])
    if rng.random() < 0.05:
        text = " " * rng.randint(1, 3) + text
    return text.encode("latin-1")


def random_options(rng):
    opts = {
        "angle": rng.choice(["degree", "radian", "grad"]),
        "answer": rng.choices(model.ANSWER_MODES, weights=[6, 2, 1, 1, 1])[0],
        "precision": rng.randint(0, 15),
        "exp": rng.randint(2, 15),
        "comma": rng.random() < 0.4,
        "ans_precision": rng.random() < 0.7,
        "raw": rng.random() < 0.08,
        "functions": rng.random() < 0.85,
    }
    return opts


def cli_arguments(opts):
    args = ["--batch", "--angle", opts["angle"], "--answer", opts["answer"], "--precision",
            str(opts["precision"]), "--exp", str(opts["exp"])]
    if opts["comma"]:
        args.append("--comma")
    if not opts["ans_precision"]:
        args.append("--no-ans-precision")
    if opts["raw"]:
        args.append("--raw")
    if opts["functions"]:
        for f in USER_FUNCTIONS:
            args += ["--function", f]
    return args


def describe(opts):
    return " ".join(a if " " not in a and a else "'" + a + "'" for a in cli_arguments(opts))


def output_text(cp932):
    """A CP932 message as tarvik-cli prints it on Linux (UTF-8, \\xNN for what does not convert)."""
    out = []
    i = 0
    while i < len(cp932):
        b = cp932[i]
        if b < 0x20 or b == 0x7F:
            out.append("\\x%02X" % b)
            i += 1
        elif b < 0x80:
            out.append(chr(b))
            i += 1
        else:
            length = 2 if (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) else 1
            if i + length > len(cp932):
                length = 1
            ch = cp932[i:i + length]
            if length == 2 and ch[1] < 0x40:
                out.append("\\x%02X" % b)
                i += 1
                continue
            try:
                if length == 1 and not (0xA1 <= b <= 0xDF):
                    raise UnicodeDecodeError("cp932", ch, 0, 1, "no single-byte character")
                out.append(ch.decode("cp932"))
                i += length
            except UnicodeDecodeError:
                out.append("\\x%02X" % b)
                i += 1
    return "".join(out)


def expected_lines(opts, lines):
    session = model.Session(
        angle_mode={"degree": 0, "radian": 1, "grad": 2}[opts["angle"]], answer=opts["answer"],
        precision=opts["precision"], exp_digits=opts["exp"], comma=opts["comma"],
        ans_precision=opts["ans_precision"], raw=opts["raw"],
        functions=[f.encode() for f in USER_FUNCTIONS] if opts["functions"] else [])
    out = []
    for line in lines:
        r = session.commit(line)
        if r[0] == "ok":
            out.append("ok " + r[1])
        else:
            out.append("error %d %d %s" % (r[1], r[2], output_text(r[3])))
    return out


def run_cli(cli, args, data):
    p = subprocess.run([cli] + args, input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       timeout=120)
    return p.returncode, p.stdout.decode("utf-8", "replace").split("\n")[:-1], p.stderr


def split_input(data):
    """Lines as the tool's reader cuts them: at LF, dropping one CR before it."""
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return [l[:-1] if l.endswith(b"\r") else l for l in lines]


def check_definitions(cli):
    """Each definition alone: accepted ones answer "0", rejected ones print the parser's error and exit 2."""
    failures = []
    for text in DEFINITIONS:
        code, out, _ = run_cli(cli, ["--batch", "--function", text], b"0\n")
        try:
            model.parse_definition(text.encode())
            want, want_code = ["ok 0"], 0
        except model.CalcError as e:
            want, want_code = ["error %d %d %s" % (e.position, e.length, output_text(e.message))], 2
        if out != want or code != want_code:
            failures.append((text, want, want_code, out, code))
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", default="build/native/cli/tarvik-cli")
    parser.add_argument("--seed", type=int, default=20261207)
    parser.add_argument("--count", type=int, default=6000, help="number of generated lines")
    parser.add_argument("--per-run", type=int, default=250, help="lines per tool run")
    parser.add_argument("--show", type=int, default=8, help="differences to print")
    args = parser.parse_args()

    started = time.time()
    rng = random.Random(args.seed)
    passed = failed = 0
    shown = 0
    mismatches = []

    for text, want, want_code, out, code in check_definitions(args.cli):
        failed += 1
        mismatches.append("--function %r: expected %s (exit %d), got %s (exit %d)" % (text, want, want_code, out, code))
    passed += len(DEFINITIONS) - len(mismatches)

    remaining = args.count
    run = 0
    while remaining > 0:
        n = min(args.per_run, remaining)
        remaining -= n
        opts = random_options(rng)
        data = b"".join(p + b"\n" for p in PRELUDE) + b"".join(generate_line(rng) + (b"\r\n" if rng.random() < 0.1 else b"\n") for _ in range(n))
        lines = split_input(data)
        want = expected_lines(opts, lines)
        code, got, err = run_cli(args.cli, cli_arguments(opts), data)
        if code != 0 or len(got) != len(want):
            failed += len(want)
            mismatches.append("run %d (%s): exit %d, %d lines for %d; stderr: %s"
                              % (run, describe(opts), code, len(got), len(want), err.decode("utf-8", "replace")[:2000]))
        else:
            for i, (w, g) in enumerate(zip(want, got)):
                if w == g:
                    passed += 1
                else:
                    failed += 1
                    mismatches.append("run %d line %d (%s)\n    input:    %r\n    expected: %s\n    actual:   %s"
                                      % (run, i + 1, describe_short(opts),
                                         lines[i], w, g))
        run += 1

    for m in mismatches[:args.show]:
        print(m)
        shown += 1
    if len(mismatches) > args.show:
        print("... %d more differences" % (len(mismatches) - args.show))
    print("seed %d, %d tool runs, %.1f s" % (args.seed, run, time.time() - started))
    print("differential: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


def describe_short(opts):
    return " ".join(a for a in cli_arguments(opts) if not a.startswith("--function") and a not in USER_FUNCTIONS) + \
        (" + user functions" if opts["functions"] else "")


if __name__ == "__main__":
    sys.exit(main())
