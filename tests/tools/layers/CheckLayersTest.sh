#!/usr/bin/env bash
# tools/check-layers.sh on small made-up trees: a tree whose layers point one way passes, and each
# single upward include, platform header above platform/ or upward library link makes it fail and
# names the place.
set -uo pipefail
script=${1:-$(cd "$(dirname "$0")/../../.." && pwd)/tools/check-layers.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A tree that holds: each layer includes the one beneath, the platform includes SDL.
make_tree() {  # make_tree DIR
  local dir=$1
  mkdir -p "$dir"/{platform/window/sdl,source/core,gui/include,Sources/shell,app/sources}
  printf '#pragma once\n' > "$dir/platform/window/window.h"
  printf '#include <SDL2/SDL.h>\n#include <GL/gl.h>\n#include "platform/window/window.h"\n' \
    > "$dir/platform/window/sdl/SdlWindow.cpp"
  printf '#pragma once\n#include <string>\n#include "platform/window/window.h"\n' > "$dir/source/core/Core.h"
  printf '#include "Core.h"\n' > "$dir/source/core/Core.cpp"
  printf '#pragma once\n#include "source/core/Core.h"\n' > "$dir/gui/include/GUIWindow.h"
  printf '#pragma once\n#include "gui/include/GUIWindow.h"\n' > "$dir/Sources/shell/cGame.h"
  printf '#include "Sources/shell/cGame.h"\n#include "platform/window/window.h"\n' > "$dir/app/sources/Main.cpp"
  cat > "$dir/CMakeLists.txt" <<'CMAKE'
velmaris_module(platform_window DIRS platform/window platform/window/sdl LIBS SDL2::SDL2)
velmaris_module(core
  DIRS source/core  # the engine's core
  DEPS platform_window)
velmaris_module(gui DIRS gui/include DEPS core)
velmaris_module(game DIRS Sources/shell DEPS core gui)
velmaris_module(app DIRS app/sources DEPS game gui)
velmaris_module(content_tool DIRS tools/content DEPS app)
CMAKE
}

# name | file written into the tree ("-" for none) | its text | expected: pass, or the text the report holds
cases=(
  'layers that point one way|-|-|pass'
  'source includes gui|source/core/Bad.cpp|#include "gui/include/GUIWindow.h"|source/core/Bad.cpp:1'
  'gui includes Sources|gui/include/Bad.h|#include "Sources/shell/cGame.h"|gui/include/Bad.h:1'
  'Sources includes app|Sources/shell/Bad.cpp|#include <vector>\n#include "app/sources/Main.h"|Sources/shell/Bad.cpp:2'
  'source includes app|source/core/Bad.h|  #  include "app/sources/win32/cWin32File.h"|source/core/Bad.h:1'
  'a relative climb into gui|source/core/Bad.cpp|#include "../../gui/include/GUIWindow.h"|source/core/Bad.cpp:1'
  'a relative include in the same folder|source/core/Other.cpp|#include "Core.h"|pass'
  'a relative climb down a layer|gui/include/Other.h|#include "../../source/core/Core.h"|pass'
  'an include in a comment|source/core/Other.cpp|// #include "gui/include/GUIWindow.h"|pass'
  'SDL above the platform|gui/include/Bad.h|#include <SDL2/SDL.h>|gui/include/Bad.h:1'
  'bare SDL above the platform|app/sources/Bad.cpp|#include <SDL.h>|app/sources/Bad.cpp:1'
  'GL in the engine|source/core/Bad.cpp|#include <GL/gl.h>|source/core/Bad.cpp:1'
  'X11 in the game|Sources/shell/Bad.cpp|#include <X11/Xlib.h>|Sources/shell/Bad.cpp:1'
  'a library linking a higher one|CMakeLists.txt+|velmaris_module(input DIRS source/input DEPS core gui)|library input'
  'a library mixing two layers|CMakeLists.txt+|velmaris_module(mixed DIRS source/scene gui/sources DEPS core)|library mixed'
  'the game linking the application|CMakeLists.txt+|velmaris_module(minigames DIRS Sources/minigames\n  DEPS gui app)|library minigames'
)

failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name file text expected <<< "$entry"
  tree="$work/tree"
  rm -rf "$tree"
  make_tree "$tree"
  if [ "$file" = "CMakeLists.txt+" ]; then
    printf "$text\n" >> "$tree/CMakeLists.txt"
  elif [ "$file" != "-" ]; then
    printf "$text\n" > "$tree/$file"
  fi
  output=$("$script" "$tree" 2>&1)
  status=$?
  if [ "$expected" = pass ]; then
    if [ "$status" -ne 0 ]; then
      echo "FAIL: $name: refused a sound tree: $output"
      failures=$((failures + 1))
    fi
  elif [ "$status" -eq 0 ]; then
    echo "FAIL: $name: passed"
    failures=$((failures + 1))
  elif [[ "$output" != *"$expected"* ]]; then
    echo "FAIL: $name: the report does not name \"$expected\": $output"
    failures=$((failures + 1))
  fi
done
echo "${#cases[@]} cases, $failures failed"
[ "$failures" -eq 0 ]
