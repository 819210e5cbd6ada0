#!/usr/bin/env bash
# Turns the .gcda files a coverage build left behind into a report on src/:
#   BUILD/report/index.html   line and branch coverage, file by file
#   BUILD/report/summary.txt  the same per file, then per folder of src/
# Usage: scripts/coverage-report.sh build/coverage  (after running the suite in that build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/coverage}
out="$build/report"
rm -rf "$out"
mkdir -p "$out"

# Branches the compiler adds for exceptions and unreachable code are no decisions of ours.
gcovr --root . --object-directory "$build" --filter 'src/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --html-details "$out/index.html" --txt "$out/files.txt" --json-summary "$out/summary.json" \
  --print-summary >/dev/null

python3 - "$out" <<'PY'
import json, os, sys
out = sys.argv[1]
data = json.load(open(os.path.join(out, "summary.json")))
folders = {}
for f in data["files"]:
    parts = f["filename"].split("/")
    key = "/".join(parts[:3]) if len(parts) > 3 else "/".join(parts[:-1])
    agg = folders.setdefault(key, [0, 0, 0, 0])
    agg[0] += f["line_covered"]; agg[1] += f["line_total"]
    agg[2] += f["branch_covered"]; agg[3] += f["branch_total"]
for top in ("src/core", "src/ui"):
    agg = [0, 0, 0, 0]
    for k, v in folders.items():
        if k.startswith(top + "/"):
            agg = [a + b for a, b in zip(agg, v)]
    folders[top + " (all)"] = agg
def pct(c, t):
    return f"{100.0 * c / t:5.1f}%" if t else "   - "
lines = [f"{'folder':<24} {'lines':>16} {'branches':>18}"]
for k in sorted(folders):
    lc, lt, bc, bt = folders[k]
    lines.append(f"{k:<24} {pct(lc, lt)} {lc:>5}/{lt:<5} {pct(bc, bt)} {bc:>5}/{bt:<5}")
lines.append(f"{'total':<24} {data['line_percent']:5.1f}%             {data['branch_percent']:5.1f}%")
text = "\n".join(lines) + "\n"
with open(os.path.join(out, "summary.txt"), "w") as fh:
    fh.write(text + "\n")
    fh.write(open(os.path.join(out, "files.txt")).read())
print(text, end="")
print(f"HTML report: {out}/index.html")
PY
