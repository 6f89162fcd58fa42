#!/usr/bin/env python3
"""Differential test: the real engine (tarvik-cli --batch) against the Python model.

Generates reproducible lines (operators, literals of every kind, malformed
input, variables, built-in and user functions), runs the command-line tool
once per option set and compares every output line with the model's. Chains
of a value and "ans" committed again and again also check that the shown text
does not move (it may change once at 16 significant digits, then stays).
Exit status 1 on any difference.

The Windows build under Wine:
    tests/model/differential_test.py --cli build/windows/cli/tarvik-cli.exe --code-page-932 \
        --runner "scripts/wine-run.sh build/wineprefix"
(differences there in the last digits of sin, cos and friends come from the
platform's mathematics library, not from the engine).
"""

import argparse
import math
import os
import random
import struct
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
# The bounds of an evaluation: d0 starts a chain of calls one level deeper
# than allowed (d1 is just within it); fan0 calls fan1 a hundred times, which
# calls fan2 a hundred times: more work than one evaluation may do.
DEPTH_CHAIN = ["d%d(x)=d%d(x)+1" % (i, i + 1) for i in range(model.MAX_CALL_DEPTH)] + \
    ["d%d(x)=x" % model.MAX_CALL_DEPTH]
FAN_OUT = ["fan%d(x)=" % i + "+".join(["fan%d(x)" % (i + 1)] * 100) for i in range(2)] + ["fan2(x)=x"]
USER_FUNCTIONS += DEPTH_CHAIN + FAN_OUT

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


EDGE_LINES = [
    "2.2250738585072011e-308", "2.2250738585072014e-308", "4.9e-324", "1e-308", "1.8e308",
    "1.7976931348623157e308", "1e-323*1e300", "1e308*10", "-1e308*10", "1e-160*1e-160",
    "1e19 & 1", "-1e19 | 0", "~1e300", "9.3e18 >> 1", "-9.223372036854775808e18 | 1",
    "9.223372036854775807e18 | 1", "9.2233720368547748e18 | 1", "4294967295 & -1", "2147483648 | 0",
    "-2147483649 ^ 0", "1 << 31", "1 << -1", "-1 >> 33", "5 >> 1.9", "~-1.5", "~2147483648",
    "if(1,2,+)", "if(+,2,3)", "area(1,+)", "area(+,+)", "if(1,,2,3)", "sin(,)", "abs(1,)", "g(,)",
    "if((1,2),3)", "if(1,2,3,)", "area((1,2))", "sin((1,2))", "f((1,2))", "if(1)(2)", "rnd()+rnd()",
    "rand(), rnd(), rand()", "asg(3)", "asg(3), z", "tw(1, 0)", "deep(2)", "bad(1)", "lit(1)",
    "ang(0.5)", "trig(10)", "F(3)", "sq(2,3)", "SQ(2, 3)", "Sin(30)", "sin(30)", "sin", "pi", "h(1)",
    "r(1)", "k(1)", "g()", "g(1)", "nope(1)", "x(2)", "x (2)", "2 3", "y 2", "2 3 +", "(2)3", "(2)x",
    "d0(1)", "d1(1)", "1+D0(2)", "fan1(2)", "fan0(1)", "d1(1)+fan0(1)", "(2)sin(30)", "(2)(3)", "2(3)", "2x", "2 x", "0x10(2)", "0x10 x", "1:30x", "x=", "=", "=3",
    "3=4", "(x)=5", "x=y=z=2", "x=(y=3)+1", "(x=2)=3", "x,y=4", "ans=5", "ans", "-(x=2)", "+x=3",
    "1e-300*1e-10", "1e-200*1e-200", "10**400", "(-8)**(1/3)", "0**-1", "(-0)**-1", "2**1024",
    "1/3*3", "0.1*3", "7%0", "7%-0", "1/-0", "-7%2.5", "1e300%7", "0x" + "F" * 300 + "+1",
    "x=0x" + "F" * 300, "x=0x" + "0" * 300 + "1", "0x" + "F" * 300 + " & 1", "~0x" + "F" * 300,
    "0b" + "1" * 64, "0o" + "7" * 30, "1" * 400, "0." + "0" * 330 + "1", "1" * 310 + "e-10",
    "0e999999", "1e-99999", ".e5", "1.e5", "1..e5", "5 .", ". 5", "1:2.5:3.5", "::5", "0:0:30.5",
    "1:30:36.1234567", "12:59:59.9999999", "1:" + "5" * 30, "tan(90)", "cos(90)", "sinh(1000)",
    "cosh(-1000)", "tanh(1e300)", "exp(709)", "exp(710)", "exp(-745)", "exp(-708)", "log(0)",
    "log10(1e-320*1e300)", "sqrt(1e-320*1e10)", "asin(1)", "acos(-1)", "atan(1e300)", "floor(-0.5)",
    "ceil(-0.5)", "1/ceil(-0.5)", "abs(-0)", "if(0/1, 1, 2)", "&&", "||", "1 && 0 || 1", "!!1",
    "!~1", "~!1", "-~1", "- -1", "+-+-1", "1---1", "1+-+-1", "2**-2**-1", "-2**-2", "!2**2",
    "1<2<3", "3>2>1", "1==1==1", "1!=2!=3", "1&3^5|7", "1|2&3", "1^2|4", "1&&2&&3", "1,2,3",
    "(1,2),3", "1,(2,3)", "x=1,2", "(1)(2)(3)", "((((1))))", "((1)", "(1))", ")(", "1)", "(1",
    "x=1\x00+2", "\x00", "1 \x00 2", "-" * 3001 + "1", "!" * 2000 + "0", "~" * 999 + "5",
    "*" * 1001 + "2", "=" * 500, "<" * 777, "(" * 3000 + "1" + ")" * 3000, "(" * 2000 + "1",
    "1" + ")" * 2000, "1+" * 3000 + "1", "sin(" * 200 + "30" + ")" * 200, "x=1," * 1000 + "x",
    "0x" + "1" * 300, "0b" + "1" * 1100, "-0x" + "F" * 257, "1e" + "9" * 500, "0." + "0" * 2000,
    "f(" * 100 + "1" + ")" * 100, "deep(deep(deep(1)))", "tw(tw(1,2),tw(3,4))",
    # several lines: a value, then what "ans" became
    "1.75e308\nans\nans*1", "-1.75e308\nans", "2.2250738585072014e-308\nans\nans*1\nans=ans",
    "9.5\nans", "0.05\nans*100", "1/3\nans*3", "-1.5\nans", "2**31\nans", "4294967295\nans",
    "1234567.5\nans", "1.7976931348623158e308\nans", "1.7976931348623159e308", "99999.99999\nans",
    "0x" + "0" * 300 + "1 == 1", "!0x" + "0" * 300 + "1", "0x" + "0" * 300 + "1 && 1",
    "if(0x" + "0" * 300 + "1, 1, 2)", "0x" + "F" * 300 + " > 1", "(0x" + "F" * 300 + ", 2)",
    "1:46", "7:46", "1:23", "-1:46", "0:0:59.99999995", "0:59:59.9999999", "2147483647", "-2147483647.5",
    "2147483647.9", "0.5", "1.5", "2.5", "1.05", "0.125", "0.375", "1.25e-20", "9.5e20", "-0.0000001",
]

# Option sets every run covers the edge lines with, besides the random ones.
FIXED_OPTIONS = [
    dict(angle="degree", answer="real", precision=10, exp=10, comma=False, ans_precision=True, raw=False, functions=True),
    dict(angle="radian", answer="real", precision=0, exp=2, comma=True, ans_precision=True, raw=False, functions=True),
    dict(angle="grad", answer="real", precision=15, exp=15, comma=True, ans_precision=False, raw=False, functions=True),
    dict(angle="degree", answer="angle", precision=15, exp=10, comma=False, ans_precision=True, raw=False, functions=True),
    dict(angle="degree", answer="angle", precision=0, exp=10, comma=False, ans_precision=True, raw=False, functions=True),
    dict(angle="radian", answer="hex", precision=10, exp=10, comma=False, ans_precision=True, raw=False, functions=True),
    dict(angle="grad", answer="binary", precision=3, exp=5, comma=False, ans_precision=True, raw=False, functions=False),
    dict(angle="degree", answer="octal", precision=3, exp=5, comma=False, ans_precision=False, raw=True, functions=True),
]


def exact_value(rng):
    """A double written with 17 significant digits, or a decimal with a 5 at a rounding position."""
    r = rng.random()
    sign = rng.choice(["", "-"])
    if r < 0.4:
        x = rng.uniform(1, 10) * 10.0 ** rng.randint(-17, 16)
        return sign + "%.17g" % x
    if r < 0.7:
        whole = str(rng.randint(0, 10 ** rng.randint(0, 14)))
        frac = "".join(rng.choice("0123456789") for _ in range(rng.randint(0, 15))) + "5"
        return sign + whole + "." + frac
    if r < 0.85:
        return sign + str(rng.randint(0, 2 ** 33)) + rng.choice(["", ".5", ".25", ".999999", ".0000001"])
    # near minute and second boundaries of the angle/time form
    d = rng.randint(0, 100)
    m = rng.randint(0, 59)
    s = rng.choice(["59.9999999", "59.99999999", "59.999999999", "0.0000001", "30", "59.5", "0.00000005",
                    "%.9f" % rng.uniform(0, 60)])
    return "%s%d:%d:%s" % (sign, d, m, s)


def rounding_tie(rng, precision):
    """A value whose shown digits end exactly on a 5 at the first dropped place."""
    sign = rng.choice(["", "-"])
    r = rng.random()
    if r < 0.5:
        whole = str(rng.randint(0, 10 ** rng.randint(0, 6)))
        frac = "".join(rng.choice("0123456789") for _ in range(precision)) + "5"
        return sign + whole + "." + frac
    if r < 0.8:   # the mantissa of an exponent form
        frac = "".join(rng.choice("0123456789") for _ in range(precision)) + "5"
        return sign + str(rng.randint(1, 9)) + "." + frac + "e" + str(rng.choice([-30, -12, -5, 5, 12, 30]))
    # whole minutes and seconds of the angle/time form
    return "%s%d:%d%s" % (sign, rng.randint(0, 99), rng.randint(0, 59),
                          rng.choice(["", ":%d" % rng.randint(0, 59), ":%d.%s5" % (rng.randint(0, 59), "0" * precision)]))


def chain_value(rng):
    """A double (as the text that reads back as exactly it) for a chain of re-committed answers."""
    r = rng.random()
    if r < 0.3:   # any normal double
        x = struct.unpack("<d", struct.pack("<Q", rng.getrandbits(64)))[0]
        if x != x or abs(x) in (model.INF,) or abs(x) < model.DBL_MIN:
            x = rng.uniform(-1e6, 1e6)
    elif r < 0.6:   # the usual magnitudes
        x = rng.uniform(1, 10) * 10.0 ** rng.randint(-20, 25)
    elif r < 0.85:   # few digits, as typed
        x = float("%de%d" % (rng.randint(1, 10 ** rng.randint(1, 8)), rng.randint(-25, 20)))
    else:   # a few steps from a power of ten
        x = float("1e%d" % rng.randint(-20, 25))
        for _ in range(rng.randint(0, 3)):
            x = math.nextafter(x, rng.choice([0.0, model.INF]))
    return rng.choice(["", "-"]) + "%.17g" % abs(x)


CHAIN = 4   # a value, then "ans" committed three times


def ans_chain(rng):
    return chain_value(rng) + "\nans" * (CHAIN - 1)


def significant_digits(text):
    digits = "".join(c for c in text.split("e")[0] if c.isdigit()).strip("0")
    return len(digits)


def chain_moves(texts):
    """What is wrong with the answers of one chain: up to 15 (or 17 and more) significant
    digits the text stays; with 16 it may change once, then stays."""
    answers = [t[3:] for t in texts if t.startswith("ok ")]
    if len(answers) != len(texts):
        return None   # an error line: nothing to settle
    first = 1 if significant_digits(answers[0]) == 16 else 0
    if any(a != answers[first] for a in answers[first:]):
        return " -> ".join(answers)
    return None


def generate_line(rng, opts=None):
    r = rng.random()
    if r < 0.05 and opts is not None:
        return rounding_tie(rng, opts["precision"]).encode()
    if r < 0.08:
        return ans_chain(rng).encode()
    if r < 0.16:
        return exact_value(rng).encode()
    if r < 0.21:
        return rng.choice(EDGE_LINES).encode("latin-1")
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


def passthrough_text(cp932):
    """A CP932 message as tarvik-cli.exe prints it on a code page 932 console (bytes kept, \\xNN for controls)."""
    out = bytearray()
    i = 0
    while i < len(cp932):
        b = cp932[i]
        length = 2 if (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) else 1
        if b < 0x20 or b == 0x7F or (length == 2 and (i + 1 >= len(cp932) or cp932[i + 1] < 0x40)):
            out += b"\\x%02X" % b
            i += 1
        else:
            out += cp932[i:i + length]
            i += length
    return out.decode("cp932", "backslashreplace")


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
            out.append("error %d %d %s" % (r[1], r[2], MESSAGE_TEXT(r[3])))
    return out


RUNNER = []
OUTPUT_ENCODING = "utf-8"
MESSAGE_TEXT = output_text


def run_cli(cli, args, data):
    p = subprocess.run(RUNNER + [cli] + args, input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       timeout=120)
    return p.returncode, p.stdout.decode(OUTPUT_ENCODING, "backslashreplace").split("\n")[:-1], p.stderr


def split_input(data):
    """Lines as the tool's reader cuts them: at LF, dropping one CR before it."""
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return [l[:-1] if l.endswith(b"\r") else l for l in lines]


def random_definition(rng):
    if rng.random() < 0.7:
        parts = [rng.choice(["f(", " g1(", "_h(", "\tF("])]
    else:
        parts = [rng.choice(["f", "g1", "_h", "F", "1", "#", "", " f", "f ", "(", "sin"])]
    for _ in range(rng.randint(0, 7)):
        parts.append(rng.choice(["(", ")", "x", "y", ",", " ", "1", "#", "+", "x_1", "0x1", ":", "\t"]))
    parts.append(rng.choice(["=", "=x", "=x*2//n", "", "==", "=//", "=1//a//b"]))
    return "".join(parts)


def check_definitions(cli, rng, count):
    """Each definition alone: accepted ones answer "0", rejected ones print the parser's error and exit 2."""
    failures = []
    for text in DEFINITIONS + [random_definition(rng) for _ in range(count)]:
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
    parser.add_argument("--count", type=int, default=20000, help="number of generated lines")
    parser.add_argument("--per-run", type=int, default=250, help="lines per tool run")
    parser.add_argument("--show", type=int, default=8, help="differences to print")
    parser.add_argument("--runner", default="", help="command that runs the tool, e.g. a Wine wrapper")
    parser.add_argument("--code-page-932", action="store_true",
                        help="the tool prints CP932 (a Windows console), not UTF-8")
    args = parser.parse_args()
    global RUNNER, OUTPUT_ENCODING, MESSAGE_TEXT
    RUNNER = args.runner.split()
    if args.code_page_932:
        OUTPUT_ENCODING, MESSAGE_TEXT = "cp932", passthrough_text

    started = time.time()
    rng = random.Random(args.seed)
    passed = failed = 0
    shown = 0
    mismatches = []

    definitions = len(DEFINITIONS) + args.count // 200
    for text, want, want_code, out, code in check_definitions(args.cli, rng, definitions - len(DEFINITIONS)):
        failed += 1
        mismatches.append("--function %r: expected %s (exit %d), got %s (exit %d)" % (text, want, want_code, out, code))
    passed += definitions - len(mismatches)

    remaining = args.count
    run = 0
    edge_data = b"".join(p + b"\n" for p in PRELUDE) + b"".join(l.encode("latin-1") + b"\n" for l in EDGE_LINES)
    runs = [(opts, edge_data) for opts in FIXED_OPTIONS]
    while remaining > 0:
        n = min(args.per_run, remaining)
        remaining -= n
        opts = random_options(rng)
        data = b"".join(p + b"\n" for p in PRELUDE) + b"".join(generate_line(rng, opts) + (b"\r\n" if rng.random() < 0.1 else b"\n") for _ in range(n))
        runs.append((opts, data))
    # Re-committed answers: every precision, "Ans Precision" on; besides matching
    # the model, a chain's text must not move.
    chain_runs = set()
    for precision in range(16):
        opts = dict(angle="degree", answer="real", precision=precision, exp=rng.randint(2, 15),
                    comma=rng.random() < 0.3, ans_precision=True, raw=False, functions=False)
        chain_runs.add(len(runs))
        runs.append((opts, b"".join(ans_chain(rng).encode() + b"\n" for _ in range(max(1, args.count // 400)))))
    for opts, data in runs:
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
                                      % (run, i + 1, describe_short(opts), clip(repr(lines[i])), clip(w), clip(g)))
            if run in chain_runs:
                for i in range(0, len(got), CHAIN):
                    moved = chain_moves(got[i:i + CHAIN])
                    if moved:
                        failed += 1
                        mismatches.append("run %d line %d (%s): re-committed ans moves: %s"
                                          % (run, i + 1, describe_short(opts), moved))
        run += 1

    for m in mismatches[:args.show]:
        print(m)
        shown += 1
    if len(mismatches) > args.show:
        print("... %d more differences" % (len(mismatches) - args.show))
    print("seed %d, %d tool runs, %.1f s" % (args.seed, run, time.time() - started))
    print("differential: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


def clip(text, limit=300):
    return text if len(text) <= limit else text[:limit] + "... (%d characters)" % len(text)


def describe_short(opts):
    return " ".join(a for a in cli_arguments(opts) if not a.startswith("--function") and a not in USER_FUNCTIONS) + \
        (" + user functions" if opts["functions"] else "")


if __name__ == "__main__":
    sys.exit(main())
