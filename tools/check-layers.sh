#!/usr/bin/env bash
# Fails when the layers stop pointing one way: platform/ <- source/ <- gui/ <- Sources/ <- app/.
# A file may include only from its own layer or the ones beneath it; nothing above platform/
# includes an SDL, OpenGL or X11 header; a library of CMakeLists.txt holds folders of one layer
# and links no library of a higher one. Every break is printed as FILE:LINE and a reason.
# Usage: tools/check-layers.sh [ROOT]   (ROOT: the project folder, by default this script's)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

layers=(platform source gui Sources app)
present=()
for layer in "${layers[@]}"; do
  [ -d "$layer" ] && present+=("$layer")
done

status=0
report() {  # report AWK-OUTPUT: prints the breaks and remembers that there were some
  if [ -n "$1" ]; then
    printf '%s\n' "$1" >&2
    status=1
  fi
}

# ---- includes ---------------------------------------------------------------------------------
if [ ${#present[@]} -gt 0 ]; then
  breaks=$(find "${present[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.inl' -o -name '*.c' \
             -o -name '*.cc' -o -name '*.cpp' \) -print0 |
    xargs -0 -r grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' |
    awk '
      BEGIN {
        rank["platform"] = 0; rank["source"] = 1; rank["gui"] = 2; rank["Sources"] = 3; rank["app"] = 4
        top["tests"] = 1; top["tools"] = 1; top["bench"] = 1; top["content"] = 1
      }
      # a/b/../c -> a/c
      function normal(path,    parts, n, i, out, k) {
        n = split(path, parts, "/"); k = 0
        for (i = 1; i <= n; i++) {
          if (parts[i] == "" || parts[i] == ".") continue
          if (parts[i] == "..") { if (k > 0) k--; continue }
          out[++k] = parts[i]
        }
        path = ""
        for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") out[i]
        return path
      }
      {
        file = $0; sub(/:.*/, "", file)
        rest = substr($0, length(file) + 2); line = rest; sub(/:.*/, "", line)
        text = substr(rest, length(line) + 2)
        if (!match(text, /include[ \t]*[<"][^">]+[">]/)) next
        target = substr(text, RSTART, RLENGTH); sub(/^include[ \t]*[<"]/, "", target); sub(/[">]$/, "", target)
        split(file, f, "/"); from = f[1]
        if (target ~ /^(SDL|SDL2\/|GL\/|GLES[0-9]*\/|EGL\/|KHR\/|X11\/|GLFW\/|glad\/)/ && from != "platform") {
          printf "%s:%s: %s includes the platform header <%s>; only platform/ may\n", file, line, from, target
          next
        }
        first = target; sub(/\/.*/, "", first)
        if (!(first in rank) && !(first in top) && text ~ /include[ \t]*"/) {
          dir = file; sub(/\/[^\/]*$/, "", dir)
          resolved = normal(dir "/" target)
          first = resolved; sub(/\/.*/, "", first)
        }
        if ((first in rank) && rank[first] > rank[from]) {
          printf "%s:%s: %s/ includes \"%s\" from the higher layer %s/\n", file, line, from, target, first
        }
      }')
  report "$breaks"
fi

# ---- the libraries of CMakeLists.txt ------------------------------------------------------------
if [ -f CMakeLists.txt ]; then
  breaks=$(awk '
    BEGIN {
      rank["platform"] = 0; rank["source"] = 1; rank["gui"] = 2; rank["Sources"] = 3; rank["app"] = 4
      names[0] = "platform"; names[1] = "source"; names[2] = "gui"; names[3] = "Sources"; names[4] = "app"
    }
    function finish(    n, w, i, part, folder, r, lo, hi, name) {
      n = split(call, w, /[ \t\n()]+/)
      name = ""; part = ""; lo = 99; hi = -1
      for (i = 1; i <= n; i++) {
        if (w[i] == "" || w[i] == "velmaris_module") continue
        if (name == "") { name = w[i]; continue }
        if (w[i] == "DIRS" || w[i] == "DEPS" || w[i] == "LIBS") { part = w[i]; continue }
        if (part == "DIRS") {
          folder = w[i]; sub(/\/.*/, "", folder)
          r = (folder in rank) ? rank[folder] : 5
          if (r < lo) lo = r
          if (r > hi) hi = r
        } else if (part == "DEPS") {
          deps[name] = deps[name] " " w[i]
        }
      }
      where[name] = start
      if (hi >= 0 && lo != hi && hi < 5) {
        printf "CMakeLists.txt:%d: library %s holds folders of %s/ and of %s/\n", start, name, names[lo], names[hi]
      }
      # A library that mixes layers is reported once above; its links are judged from its lowest.
      level[name] = (hi < 5) ? lo : hi
    }
    {
      if (!open && $0 ~ /^[ \t]*velmaris_module\(/) { open = 1; call = ""; depth = 0; start = NR }
      if (open) {
        text = $0; sub(/#.*/, "", text)
        call = call " " text
        depth += gsub(/\(/, "(", text) - gsub(/\)/, ")", text)
        if (depth <= 0) { open = 0; finish() }
      }
    }
    END {
      for (name in deps) {
        if (level[name] < 0 || level[name] >= 5) continue
        n = split(deps[name], d, " ")
        for (i = 1; i <= n; i++) {
          if (d[i] in level && level[d[i]] >= 0 && level[d[i]] > level[name]) {
            printf "CMakeLists.txt:%d: library %s (%s/) links %s of the higher layer %s/\n", where[name], name,
                   names[level[name]], d[i], (level[d[i]] < 5 ? names[level[d[i]]] : "tools")
          }
        }
      }
    }' CMakeLists.txt)
  report "$breaks"
fi

if [ "$status" -ne 0 ]; then
  echo "check-layers: the layers platform/ <- source/ <- gui/ <- Sources/ <- app/ are broken (see above)" >&2
fi
exit "$status"
