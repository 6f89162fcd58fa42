#!/usr/bin/env bash
# Fails when an #include points up the stack of folders
#   engine <- calc <- ui <- options <- app <- the executables (cli)
# (a folder may include its own files and those of the folders to its left;
# resources/ holds only ids and may be included from anywhere), when the
# portable calculator (calc/) includes anything but the engine and the
# standard library, when tarvik-cli (cli/) includes anything of the windows
# (ui/, options/, app/, resources/), or when files of app/ depend on each
# other in a circle. A header and its source file count
# as one unit, so a.h including b.h while b.cpp includes a.h is a circle too.
# Prints each offending include or circle. Usage: check_layers.sh [source root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

python3 - "$root" <<'PY'
import os, re, sys

root = sys.argv[1]
level = {"engine": 0, "calc": 1, "ui": 2, "options": 3, "app": 4, "cli": 5}
# The folders whose project includes are limited to a few folders below them.
allowed = {"calc": {"engine", "calc"}, "cli": {"engine", "calc", "cli"}}
# Folders whose system includes must be the C++ standard library's.
standard_only = {"calc"}
STANDARD_HEADERS = set("""
algorithm any array atomic bit bitset cassert cctype cerrno cfenv cfloat charconv chrono cinttypes climits
clocale cmath compare complex concepts condition_variable csetjmp csignal cstdarg cstddef cstdint cstdio
cstdlib cstring ctime cuchar cwchar cwctype deque exception execution expected filesystem format
forward_list fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator
limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue random
ranges ratio regex scoped_allocator set shared_mutex source_location span sstream stack stdexcept
stop_token streambuf string string_view system_error thread tuple type_traits typeindex typeinfo
unordered_map unordered_set utility valarray variant vector version
""".split())
include = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')

def includes(path, system=False):
    with open(path, encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = include.match(line)
            if match and (match.group(1) == "<") == system:
                yield number, match.group(2)

faults = []
app_edges = {}
for folder, own in level.items():
    directory = os.path.join(root, folder)
    if not os.path.isdir(directory):
        continue
    for name in sorted(os.listdir(directory)):
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(directory, name)
        unit = os.path.splitext(name)[0]
        for number, target in includes(path):
            target_folder, _, target_name = target.partition("/")
            if target_folder in level and level[target_folder] > own:
                faults.append(f"{folder}/{name}:{number}: includes {target} from a layer above")
            elif folder in allowed and target_folder not in allowed[folder]:
                faults.append(f"{folder}/{name}:{number}: includes {target}, outside "
                              + ", ".join(sorted(allowed[folder])))
            if folder == "app" and target_folder == "app":
                target_unit = os.path.splitext(target_name)[0]
                if target_unit != unit:
                    app_edges.setdefault(unit, set()).add(target_unit)

        if folder in standard_only:
            for number, target in includes(path, system=True):
                if target not in STANDARD_HEADERS:
                    faults.append(f"{folder}/{name}:{number}: includes <{target}>, not of the standard library")

# Circles between units of app/: depth-first search, reporting each circle once.
state, stack, circles = {}, [], set()
def visit(unit):
    state[unit] = "open"
    stack.append(unit)
    for target in sorted(app_edges.get(unit, ())):
        if state.get(target) == "open":
            circle = stack[stack.index(target):]
            start = circle.index(min(circle))
            circles.add(tuple(circle[start:] + circle[:start]))
        elif target not in state:
            visit(target)
    stack.pop()
    state[unit] = "done"

for unit in sorted(app_edges):
    if unit not in state:
        visit(unit)
for circle in sorted(circles):
    faults.append("app/: circle of includes: " + " -> ".join(circle + (circle[0],)))

for fault in faults:
    print(fault)
if faults:
    print(f"check_layers: {len(faults)} fault(s)")
    sys.exit(1)
print("check_layers: every include points down the stack; calc/ and cli/ stay portable; no circles in app/")
PY
