"""An independent model of Tarvik's calculation engine and answer formatters.

Written from the calculator's rules only, in plain Python (a float is an IEEE
double), so that the differential test can compare it with the real engine.
Texts are handled as bytes in code page 932, like the engine does; messages
are built as CP932 bytes too.
"""

import math
import re
import sys
from decimal import Decimal, ROUND_HALF_UP, ROUND_HALF_EVEN, localcontext

INF = float("inf")
NAN = float("nan")
DBL_MIN = 2.2250738585072014e-308
PI = 3.141592653589793
E = 2.718281828459045


def sj(text):
    return text.encode("cp932")


MSG_EMPTY = sj("式が空です。")
MSG_RANGE_LITERAL = sj("数字が有効範囲から外れています。")
MSG_ANGLE_LITERAL = sj("適切な角度または時間表現ではありません。")
MSG_CLOSE_MISSING = sj("対応する括弧がありません。")
MSG_OPERATOR_AFTER_PAREN = sj("右括弧の後に演算子が必要です")
MSG_NO_LEFT_PAREN = sj("対応する左括弧が見つかりません。")
MSG_NO_RIGHT_PAREN = sj("対応する右括弧が見つかりません。")
MSG_NO_RVALUE = sj("代入文の右辺値が存在しません。")
MSG_LVALUE = sj("代入文の左辺が変数ではありません。")
MSG_SYNTAX = sj("不正な構文です。")
MSG_DIV_ZERO = sj("除算が 0 で行われています。")
MSG_MOD_ZERO = sj("剰余演算が 0 で行われています。")
MSG_RESULT_RANGE = sj("結果が有効範囲から外れました。")
MSG_ANGLE_FORMAT = sj("角度/時間表現できる範囲を超えました。")
MSG_BIN_FORMAT = sj("2進数で表現できる範囲を超えました。")
MSG_OCT_FORMAT = sj("8進数で表現できる範囲を超えました。")
MSG_HEX_FORMAT = sj("16進数で表現できる範囲を超えました。")


class CalcError(Exception):
    def __init__(self, message, position, length):
        super().__init__(message)
        self.message = message  # CP932 bytes
        self.position = position
        self.length = length


# ---------------------------------------------------------------- bounds of one evaluation

MAX_CALL_DEPTH = 256          # nested user-function calls
WORK_BUDGET = 1000000         # per evaluation, across all its calls
WORK_PER_TEXT = 128           # each evaluated text costs its bytes plus this
MSG_CALL_DEPTH = sj("ユーザー関数の呼び出しの入れ子が %d 段を超えました。" % MAX_CALL_DEPTH)
MSG_WORK_BUDGET = sj("計算量が上限を超えたため、計算を打ち切りました。")

# Each nested call takes a handful of Python frames.
sys.setrecursionlimit(max(sys.getrecursionlimit(), 20 * MAX_CALL_DEPTH))


class LimitError(CalcError):
    """A bound of the evaluation: passes through user-function calls unwrapped,
    taking the position of each call on the way out."""


class Limits:
    """Shared by a calculator and the inner calculators of its calls."""

    def __init__(self):
        self.depth = 0
        self.work_left = 0

    def enter(self, text):
        if self.depth > MAX_CALL_DEPTH:
            raise LimitError(MSG_CALL_DEPTH, -1, 0)
        if self.depth == 0:
            self.work_left = WORK_BUDGET
        cost = len(text) + WORK_PER_TEXT
        if cost > self.work_left:
            raise LimitError(MSG_WORK_BUDGET, -1, 0)
        self.work_left -= cost
        self.depth += 1


# ---------------------------------------------------------------- tokens

OPERATORS = [  # (symbol, right-associative, level)
    (b"**", 1, 3), (b"+", 1, 2), (b"-", 1, 2), (b"!", 1, 2), (b"~", 1, 2),
    (b"*", 0, 4), (b"*", 0, 3), (b"/", 0, 4), (b"%", 0, 4), (b"+", 0, 5),
    (b"-", 0, 5), (b"<<", 0, 6), (b">>", 0, 6), (b"<", 0, 7), (b">", 0, 7),
    (b"<=", 0, 7), (b">=", 0, 7), (b"==", 0, 7), (b"!=", 0, 7), (b"&", 0, 9),
    (b"^", 0, 9), (b"|", 0, 9), (b"&&", 0, 10), (b"||", 0, 10), (b"=", 1, 11),
    (b",", 0, 12),
]
CLOSE, OPEN, DEC, BIN, OCT, HEX, ANGLE, IDENT, FUNC = 26, 27, 28, 29, 30, 31, 32, 33, 34
IMPLICIT_MUL, ASSIGN, COMMA = 6, 24, 25

BLANKS = b"\t\n\r "
NUMBER_CHARS = b"0123456789.:"
OPERATOR_CHARS = b"!%&*+,-/<=>^|~"


def _is_letter(c):
    return (65 <= c <= 90) or (97 <= c <= 122)


def _is_name_start(c):
    return _is_letter(c) or c == 95


def _is_name_char(c):
    return _is_name_start(c) or (48 <= c <= 57)


class Token:
    __slots__ = ("text", "kind", "position")

    def __init__(self, text, kind, position):
        self.text = text
        self.kind = kind
        self.position = position

    def __repr__(self):
        return "Token(%r, %d, %d)" % (self.text, self.kind, self.position)


def recognise(text, i, end=None):
    """One token at text[i:end]: (token text, kind, new cursor) or None."""
    if end is None:
        end = len(text)
    if i >= end:
        return None
    c = text[i]
    if c == 40:
        return b"(", OPEN, i + 1
    if c == 41:
        return b")", CLOSE, i + 1
    if c in NUMBER_CHARS:
        if c == 48 and i + 1 < end and text[i + 1] in b"bBoOxX":
            kind = {98: BIN, 66: BIN, 111: OCT, 79: OCT, 120: HEX, 88: HEX}[text[i + 1]]
            j = i + 2
            while j < end and (_is_letter(text[j]) or 48 <= text[j] <= 57):
                j += 1
            return text[i:j], kind, j
        j = i
        dots = 0
        colon = False
        while j < end and text[j] in NUMBER_CHARS:
            if text[j] == 46:
                dots += 1
                if dots == 2:
                    break
            elif text[j] == 58:
                colon = True
            j += 1
        if not colon and j < end and text[j] in b"eE":
            j += 1
            if j < end and text[j] in b"+-":
                j += 1
            while j < end and 48 <= text[j] <= 57:
                j += 1
        return text[i:j], (ANGLE if colon else DEC), j
    if _is_name_start(c):
        j = i + 1
        while j < end and _is_name_char(text[j]):
            j += 1
        kind = FUNC if (j < end and text[j] == 40) else IDENT
        return text[i:j], kind, j
    if c in OPERATOR_CHARS:
        # The maximal run is shortened until it equals a symbol; symbols have at
        # most two characters, so its first two characters decide.
        j = i
        while j < end and j - i < 2 and text[j] in OPERATOR_CHARS:
            j += 1
        run = text[i:j]
        while True:
            for row, (symbol, _, _) in enumerate(OPERATORS):
                if symbol == run:
                    return run, row, i + len(run)
            run = run[:-1]
    return None


def unrecognised_character(text, i):
    # Both bytes of a double-byte character, as the message quotes it.
    lead = text[i]
    if (0x81 <= lead <= 0x9F or 0xE0 <= lead <= 0xFC) and i + 1 < len(text):
        trail = text[i + 1]
        if 0x40 <= trail <= 0x7E or 0x80 <= trail <= 0xFC:
            return text[i:i + 2]
    return text[i:i + 1]


def tokenize(text):
    tokens = []
    i = 0
    n = len(text)
    while True:
        while i < n and text[i] in BLANKS:
            i += 1
        if i >= n:
            if tokens:
                return tokens
            raise CalcError(MSG_EMPTY, 0, 0)
        r = recognise(text, i)
        if r is None:
            raise CalcError(sj("文字 '") + unrecognised_character(text, i) + sj("' は認識できません。"), i, 1)
        tok_text, kind, j = r
        tokens.append(Token(tok_text, kind, i))
        i = j


# ---------------------------------------------------------------- numbers

_STRTOD = re.compile(rb"(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")


def strtod_prefix(text):
    """(value, mantissa text) of the longest prefix strtod accepts; (0.0, b'') if none."""
    m = _STRTOD.match(text)
    if not m:
        return 0.0, b""
    return float(m.group(0)), m.group(1)


def c_pow(x, y):
    try:
        return math.pow(x, y)
    except OverflowError:
        if x < 0 and y == math.floor(y) and math.fmod(y, 2.0) != 0:
            return -INF
        return INF
    except ValueError:
        if x == 0:
            if y == math.floor(y) and math.fmod(y, 2.0) != 0:
                return math.copysign(INF, x)
            return INF
        return NAN


def trunc_i64(v):
    """Double to signed 64-bit, NaN and out of range giving the minimum."""
    if v != v or v >= 9223372036854775808.0 or v < -9223372036854775808.0:
        return -(1 << 63)
    return int(v)


def int32(v):
    u = trunc_i64(v) & 0xFFFFFFFF
    return u - (1 << 32) if u & 0x80000000 else u


def is_bad(v):
    return v != v or v in (INF, -INF) or (v != 0 and abs(v) < DBL_MIN)


RADIX = {BIN: (2, b"01", "2"), OCT: (8, b"01234567", "8"), HEX: (16, b"0123456789abcdefABCDEF", "16")}


def operand_value(tok, variables):
    kind = tok.kind
    text = tok.text
    if kind == DEC:
        value, mantissa = strtod_prefix(text)
        if value in (INF, -INF):
            raise CalcError(MSG_RANGE_LITERAL, tok.position, len(text))
        if value == 0 and any(c in b"123456789" for c in mantissa):
            raise CalcError(MSG_RANGE_LITERAL, tok.position, len(text))
        if value != 0 and abs(value) < DBL_MIN:
            raise CalcError(MSG_RANGE_LITERAL, tok.position, len(text))
        return value
    if kind in RADIX:
        base, valid, name = RADIX[kind]
        digits = text[2:]
        if not digits:
            raise CalcError(sj("'0") + text[1:2] + sj("' の後には少なくとも1つの数字が必要です。"),
                            tok.position, len(text))
        for c in digits:
            if c not in valid:
                raise CalcError(sj("文字 '") + bytes([c]) + sj("' は適切な" + name + "進数文字ではありません。"),
                                tok.position, len(text))
        n = len(digits)
        total = 0.0
        for i, c in enumerate(digits):
            total += float(int(chr(c), 16)) * c_pow(float(base), float(n - 1 - i))
        return total
    if kind == ANGLE:
        segments = text.split(b":")
        if len(segments) > 3:
            raise CalcError(MSG_ANGLE_LITERAL, tok.position, len(text))
        total = 0.0
        for i, seg in enumerate(segments):
            if seg:
                total += strtod_prefix(seg)[0] / c_pow(60.0, float(i))
        return total
    if kind == IDENT:
        if text in variables:
            return variables[text]
        raise CalcError(sj("変数 '") + text + sj("' は定義されていません。"), tok.position, len(text))
    return 0.0


# ---------------------------------------------------------------- built-ins

BUILTINS = [b"abs", b"acos", b"asin", b"atan", b"ceil", b"cos", b"cosh", b"e", b"exp", b"floor",
            b"if", b"log", b"log10", b"pi", b"rand", b"sin", b"sinh", b"sqrt", b"tan", b"tanh"]
BUILTIN_ARGS = [1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 3, 1, 1, 0, 0, 1, 1, 1, 1, 1]
USER_BASE = 54


class RandState:
    def __init__(self):
        self.state = 1

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return float((self.state >> 16) & 32767)


def to_radians(x, mode):
    if mode == 0:
        return PI * x / 180
    if mode == 1:
        return x
    if mode == 2:
        return PI * x / 200
    return 0.0


def from_radians(x, mode):
    if mode == 0:
        return x * 180 / PI
    if mode == 1:
        return x
    if mode == 2:
        return x * 200 / PI
    return 0.0


def _libm(f, x):
    try:
        return f(x)
    except OverflowError:
        return INF
    except ValueError:
        return NAN


def _integral(f, x):
    if x != x or x in (INF, -INF):
        return x
    return math.copysign(float(f(x)), x) if f(x) == 0 else float(f(x))


def builtin_value(row, args, mode, rand):
    x = args[0] if args else 0.0
    if row == 0:
        return abs(x)
    if row in (1, 2, 3):
        f = (math.acos, math.asin, math.atan)[row - 1]
        return from_radians(_libm(f, x), mode)
    if row == 4:
        return _integral(math.ceil, x)
    if row in (5, 6, 15, 16, 18, 19):
        f = {5: math.cos, 6: math.cosh, 15: math.sin, 16: math.sinh, 18: math.tan, 19: math.tanh}[row]
        return _libm(f, to_radians(x, mode))
    if row == 7:
        return E
    if row == 8:
        return _libm(math.exp, x)
    if row == 9:
        return _integral(math.floor, x)
    if row == 10:
        return args[1] if args[0] != 0 else args[2]
    if row == 11:
        return -INF if x == 0 else _libm(math.log, x)
    if row == 12:
        return -INF if x == 0 else _libm(math.log10, x)
    if row == 13:
        return PI
    if row == 14:
        return rand.next()
    if row == 17:
        return _libm(math.sqrt, x)
    raise AssertionError(row)


# ---------------------------------------------------------------- user functions

class UserFunction:
    def __init__(self):
        self.name = b""
        self.definition = b""
        self.description = b""
        self.parameters = []


MSG_NO_EQUALS = sj("関数定義に '=' がありません。")
MSG_UNRECOGNISED_HEAD = sj("認識できない文字が使われています")
MSG_BAD_DEFINITION = sj("不正な関数定義です。")


def parse_definition(text):
    f = UserFunction()
    eq = text.find(b"=")
    if eq < 0:
        raise CalcError(MSG_NO_EQUALS, 0, 0)
    definition = text[eq + 1:]
    slash = definition.find(b"//")
    if slash >= 0:
        f.description = definition[slash + 2:]
        definition = definition[:slash]
    f.definition = definition
    head = text[:eq]
    end = len(head)
    cursor = 0

    def read():
        nonlocal cursor
        while cursor < end and head[cursor] in BLANKS:
            cursor += 1
        start = cursor
        r = recognise(head, cursor, end)
        if r is None:
            return None, start
        cursor = r[2]
        return (r[0], r[1]), start

    tok, start = read()
    if tok is None:
        raise CalcError(MSG_UNRECOGNISED_HEAD, start, 1)
    if tok[1] != FUNC:
        raise CalcError(sj("'") + tok[0] + sj("' は関数名として利用できません。"), 1, 0)
    f.name = tok[0]
    tok, start = read()
    if tok is None:
        raise CalcError(MSG_UNRECOGNISED_HEAD, start, 1)
    if tok[1] != OPEN:
        raise CalcError(MSG_BAD_DEFINITION, 0, 0)
    last = tok
    while True:
        tok, _ = read()
        if tok is None:
            tok = last
        last = tok
        if tok[1] == CLOSE:
            break
        if tok[1] != IDENT:
            raise CalcError(sj("'") + tok[0] + sj("' は引数名として利用できません。"), 2, 0)
        f.parameters.append(tok[0])
        tok, _ = read()
        if tok is None:
            tok = last
        last = tok
        if tok[1] == CLOSE:
            break
        if tok[1] == COMMA:
            continue
        raise CalcError(MSG_BAD_DEFINITION, 0, 0)
    return f


# ---------------------------------------------------------------- calculator

def _level(tok):
    if tok.kind == OPEN:
        return 1000
    if tok.kind >= FUNC:
        return 0
    return OPERATORS[tok.kind][2]


class Calculator:
    def __init__(self, rand=None, limits=None):
        self.expression = b""
        self.variables = {}
        self.angle_mode = 0
        self.user_functions = []
        self.rand = rand if rand is not None else RandState()
        self.limits = limits if limits is not None else Limits()

    def add_user_function(self, text):
        self.user_functions.append(parse_definition(text))

    def calculate(self, text):
        if not text:
            raise CalcError(MSG_EMPTY, 0, 0)
        self.expression = text
        self.limits.enter(text)
        try:
            tokens = tokenize(text)
            tokens, argc = self._prepare(tokens)
            postfix = self._to_postfix(tokens)
            return self._evaluate(postfix, argc)
        finally:
            self.limits.depth -= 1

    def _prepare(self, tokens):
        out = []
        argc = {}
        prev = None
        for idx, tok in enumerate(tokens):
            if tok.kind >= FUNC:
                lower = tok.text.lower()
                count = None
                for row, name in enumerate(BUILTINS):
                    if name == lower:
                        tok.kind = FUNC + row
                        count = BUILTIN_ARGS[row]
                        break
                if count is None:
                    for k, uf in enumerate(self.user_functions):
                        if uf.name.lower() == lower:
                            tok.kind = USER_BASE + k
                            count = len(uf.parameters)
                            break
                if count is None:
                    raise CalcError(sj("関数 '") + tok.text + sj("' は定義されていません。"),
                                    tok.position, len(tok.text))
                argc[id(tok)] = count
                paren = tokens[idx + 1]
                depth = 1
                commas = others = 0
                closed = False
                for t in tokens[idx + 2:]:
                    if t.kind == CLOSE:
                        depth -= 1
                        if depth == 0:
                            closed = True
                            break
                    elif t.kind == OPEN:
                        depth += 1
                    elif t.kind == COMMA and depth == 1:
                        commas += 1
                    else:
                        others += 1
                if not closed:
                    raise CalcError(MSG_CLOSE_MISSING, paren.position, 1)
                if not ((count == 0 and commas == 0 and others == 0)
                        or (commas == count - 1 and others >= count)):
                    raise CalcError(sj("引数が %dつ必要です。" % count), tok.position, len(tok.text))
            if prev is not None:
                if tok.kind in (1, 2):
                    if DEC <= prev.kind <= IDENT or prev.kind == CLOSE:
                        tok.kind += 8
                else:
                    if (prev.kind == DEC and tok.kind >= IDENT) or \
                            (tok.kind == OPEN and prev.kind in (DEC, CLOSE)):
                        out.append(Token(b"*", IMPLICIT_MUL, tok.position))
                if prev.kind == CLOSE and (DEC <= tok.kind <= IDENT or tok.kind >= FUNC):
                    raise CalcError(MSG_OPERATOR_AFTER_PAREN, tok.position - 1, 1)
            out.append(tok)
            prev = tok
        return out, argc

    def _to_postfix(self, tokens):
        out = []
        stack = []
        for tok in tokens:
            k = tok.kind
            if k == CLOSE:
                if not stack:
                    raise CalcError(MSG_NO_LEFT_PAREN, tok.position, 1)
                while stack and stack[-1].kind != OPEN:
                    out.append(stack.pop())
                if not stack:
                    raise CalcError(MSG_NO_LEFT_PAREN, tok.position, 1)
                stack.pop()
            elif k == OPEN:
                stack.append(tok)
            elif DEC <= k <= IDENT:
                out.append(tok)
            else:
                if not stack:
                    stack.append(tok)
                    continue
                top = stack[-1]
                lt, lk = _level(top), _level(tok)
                if lt > lk or (lt == lk and top.kind < CLOSE and OPERATORS[top.kind][1] == 1):
                    stack.append(tok)
                    continue
                out.append(stack.pop())
                while stack and stack[-1].kind != OPEN and _level(stack[-1]) <= lk:
                    out.append(stack.pop())
                stack.append(tok)
        while stack:
            tok = stack.pop()
            if tok.kind == OPEN:
                raise CalcError(MSG_NO_RIGHT_PAREN, tok.position, 1)
            out.append(tok)
        return out

    def _value(self, item):
        value, operand = item
        if operand is None:
            return value
        return operand_value(operand, self.variables)

    def _evaluate(self, postfix, argc):
        stack = []  # items (value, operand token or None)
        for tok in postfix:
            k = tok.kind
            if DEC <= k <= IDENT:
                stack.append((0.0, tok))
                continue
            if k == ASSIGN:
                if not stack:
                    raise CalcError(MSG_NO_RVALUE, tok.position, 1)
                value = self._value(stack.pop())
                if not stack or stack[-1][1] is None or stack[-1][1].kind != IDENT:
                    raise CalcError(MSG_LVALUE, tok.position, 1)
                if is_bad(value):
                    raise CalcError(MSG_RESULT_RANGE, -1, 0)
                self.variables[stack[-1][1].text] = value
                stack.pop()
                stack.append((value, None))
            elif k < CLOSE:
                if not stack:
                    raise CalcError(MSG_SYNTAX, tok.position, 0)
                right = self._value(stack.pop())
                if 1 <= k <= 4:
                    stack.append((self._unary(k, right), None))
                else:
                    if not stack:
                        raise CalcError(MSG_SYNTAX, tok.position, 0)
                    left = self._value(stack.pop())
                    if k == COMMA:
                        stack.append((left, None))
                        stack.append((right, None))
                    else:
                        stack.append((self._binary(k, left, right, tok), None))
            else:
                count = argc[id(tok)]
                if len(stack) < count:
                    raise CalcError(MSG_SYNTAX, tok.position, 0)
                args = [0.0] * count
                for i in range(count - 1, -1, -1):
                    args[i] = self._value(stack.pop())
                if k < USER_BASE:
                    result = builtin_value(k - FUNC, args, self.angle_mode, self.rand)
                else:
                    result = self._call_user(k - USER_BASE, args, tok)
                stack.append((result, None))
            if is_bad(stack[-1][0]):
                raise CalcError(MSG_RESULT_RANGE, -1, 0)
        if not stack:
            raise CalcError(MSG_SYNTAX, 0, 0)
        return self._value(stack[-1])

    def _call_user(self, k, args, tok):
        uf = self.user_functions[k]
        inner = Calculator(self.rand, self.limits)
        inner.angle_mode = self.angle_mode
        inner.user_functions = self.user_functions[:k] + self.user_functions[k + 1:]
        for name, value in zip(uf.parameters, args):
            inner.variables[name] = value
        try:
            return inner.calculate(uf.definition)
        except LimitError as e:
            raise LimitError(e.message, tok.position, len(tok.text))
        except CalcError as e:
            message = (sj("ユーザー関数の計算中にエラーが発生しました。(") + tok.text + b": " + e.message
                       + b"[" + str(e.position).encode() + sj("文字目])"))
            raise CalcError(message, tok.position, len(tok.text))

    @staticmethod
    def _unary(k, v):
        if k == 1:
            return v
        if k == 2:
            return -v
        if k == 3:
            return 1.0 if v == 0 else 0.0
        return float(~int32(v))

    @staticmethod
    def _binary(k, a, b, tok):
        if k == 0:
            return c_pow(a, b)
        if k in (5, 6):
            return a * b
        if k == 7:
            if b == 0:
                raise CalcError(MSG_DIV_ZERO, tok.position, 1)
            return a / b
        if k == 8:
            if b == 0:
                raise CalcError(MSG_MOD_ZERO, tok.position, 1)
            try:
                return math.fmod(a, b)
            except ValueError:
                return NAN
        if k == 9:
            return a + b
        if k == 10:
            return a - b
        if k in (11, 12):
            x = int32(a)
            n = int32(b) & 31
            if k == 11:
                r = (x << n) & 0xFFFFFFFF
                return float(r - (1 << 32) if r & 0x80000000 else r)
            return float(x >> n)
        if k == 13:
            return 1.0 if a < b else 0.0
        if k == 14:
            return 1.0 if a > b else 0.0
        if k == 15:
            return 1.0 if a <= b else 0.0
        if k == 16:
            return 1.0 if a >= b else 0.0
        if k == 17:
            return 1.0 if a == b else 0.0
        if k == 18:
            return 1.0 if a != b else 0.0
        if k == 19:
            return float(int32(a) & int32(b))
        if k == 20:
            return float(int32(a) ^ int32(b))
        if k == 21:
            return float(int32(a) | int32(b))
        if k == 22:
            return 1.0 if (a != 0 and b != 0) else 0.0
        if k == 23:
            return 1.0 if (a != 0 or b != 0) else 0.0
        raise AssertionError(k)


# ---------------------------------------------------------------- formatters

def _expansion(x):
    """The decimal expansion of x >= 0 to 17 significant digits, exactly, as a Decimal."""
    return Decimal("%.16e" % x)


def _rounded(d, decimals):
    """d rounded half up to decimals places after the point."""
    with localcontext() as ctx:
        ctx.prec = 1000
        return d.quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)


def _plain(d, grouping=False):
    """A rounded Decimal >= 0 as the answer shows it: no exponent, no trailing zeros."""
    text = format(d, "f")
    if "." in text:
        whole, frac = text.split(".")
    else:
        whole, frac = text, ""
    if grouping:
        groups = []
        while len(whole) > 3:
            groups.insert(0, whole[-3:])
            whole = whole[:-3]
        whole = ",".join([whole] + groups)
    frac = frac.rstrip("0")
    return whole + ("." + frac if frac else "")


def _fixed(x, decimals, grouping):
    """Fixed form of x >= 0: 17 significant digits first, then half up at decimals."""
    return _plain(_rounded(_expansion(x), decimals), grouping)


def _mantissa(x, exponent, decimals):
    """(mantissa, exponent): the 17-digit expansion of x shifted by exponent, rounded;
    a mantissa that rounds up to 10 moves to the next exponent."""
    m = _rounded(_expansion(x).scaleb(-exponent), decimals)
    if m >= 10:
        return Decimal(1), exponent + 1
    return m, exponent


def pow10(n):
    """The double nearest to 10**n."""
    return float("1e%d" % n)


def format_real(x, decimals, exponent_digits, grouping):
    if x != x or x in (INF, -INF):
        # Only a radix literal too long for a double gets here; the text is the engine's own.
        return "nan" if x != x else ("inf" if x > 0 else "-inf")
    negative = x < 0
    x = abs(x)
    text = None
    if exponent_digits != -1:
        # A mantissa that rounds to exactly the threshold is the threshold, which
        # the fixed form shows; so a shown text read back shows the same text.
        if x > pow10(exponent_digits - 1):
            t = 1
            while pow10(t + 1) <= x:
                t += 1
            m, t = _mantissa(x, t, decimals)
            if not (m == 1 and t == exponent_digits - 1):
                text = _plain(m) + "e" + str(t)
        elif x < pow10(1 - exponent_digits) and x != 0:
            t = 1
            while pow10(t - 1) > x:
                t -= 1
            m, exponent = _mantissa(x, t - 1, decimals)
            if not (m == 1 and -exponent == exponent_digits - 1):
                text = _plain(m) + "e-" + str(-exponent)
    if text is None:
        text = _fixed(x, decimals, grouping)
        if text == "0":
            return text
    return ("-" if negative else "") + text


def format_angle_time(x, decimals):
    if not abs(x) <= 2147483647:
        raise CalcError(MSG_ANGLE_FORMAT, 0, 0)
    negative = x < 0
    x = abs(x)
    d = float(math.trunc(x))
    f = x - d
    m = math.trunc(f * 60)
    s = (f - m / 60) * 3600
    # exact minutes can leave the seconds a hair below zero: that is zero
    if s < 0:
        s = 0.0
    if s + 0.0000001 > 60:
        m += 1
        s = 0.0
        if m == 60:
            m = 0
            d += 1
    seconds = format_real(s, decimals, -1, False)
    whole = seconds.split(".")[0]
    if len(whole) == 1:
        seconds = "0" + seconds
    return ("-" if negative else "") + "%d:%02d:%s" % (int(d), m, seconds)


def _radix_value(x, message):
    if not x <= 4294967295:   # NaN fits no form either
        raise CalcError(message, 0, 0)
    return trunc_i64(x) & 0xFFFFFFFF


def format_binary(x):
    return "0b" + format(_radix_value(x, MSG_BIN_FORMAT), "b")


def format_octal(x):
    return "0o" + format(_radix_value(x, MSG_OCT_FORMAT), "o")


def format_hex(x):
    return "0x" + format(_radix_value(x, MSG_HEX_FORMAT), "X")


ANSWER_MODES = ["real", "angle", "binary", "octal", "hex"]


def format_answer(x, mode, precision, exp_digits, comma):
    if mode == "real":
        return format_real(x, precision, exp_digits, comma)
    if mode == "angle":
        return format_angle_time(x, precision)
    if mode == "binary":
        return format_binary(x)
    if mode == "octal":
        return format_octal(x)
    return format_hex(x)


def ans_value(value, shown, mode, ans_precision):
    """The value "ans" takes after a committed line."""
    if not ans_precision:
        return value
    if mode == "real":
        rounded = float(shown.replace(",", ""))
    elif mode == "angle":
        rounded = value
    else:
        rounded = float(int32(value))
    if rounded != rounded or rounded in (INF, -INF):
        return value
    return rounded


# ---------------------------------------------------------------- the batch session

class Session:
    """One calculator committing lines like the window's Enter."""

    def __init__(self, angle_mode=0, answer="real", precision=10, exp_digits=10, comma=False,
                 ans_precision=True, raw=False, functions=()):
        self.calc = Calculator()
        self.calc.angle_mode = angle_mode
        self.calc.variables[b"ans"] = 0.0
        self.answer = answer
        self.precision = precision
        self.exp_digits = exp_digits
        self.comma = comma
        self.ans_precision = ans_precision
        self.raw = raw
        for f in functions:
            self.calc.add_user_function(f)

    def commit(self, line):
        """('ok', text) or ('error', position, length, message bytes)."""
        try:
            value = self.calc.calculate(line)
            shown = format_answer(value, self.answer, self.precision, self.exp_digits, self.comma)
        except CalcError as e:
            return ("error", e.position, e.length, e.message)
        self.calc.variables[b"ans"] = ans_value(value, shown, self.answer, self.ans_precision)
        if self.raw:
            return ("ok", "%.17g" % value)
        return ("ok", shown)
