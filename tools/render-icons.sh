#!/usr/bin/env bash
# Renders the application icon's forms into resources/icons/lingchuan-SIZE.png at the sizes
# desktops ask for. Rerun after changing a form and commit the images: the build embeds and
# installs them as they are.
#   tools/render-icons.sh [BUILD_DIR]    (default build; vxrender is built there first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vxrender >/dev/null
icons=resources/icons
for size in 16 24 32 48 64 128 256; do
  # The forms are 256 units square. Small sizes have a design of their own, with thicker
  # strokes on whole pixels and no rim, so that they stay crisp.
  form=$icons/lingchuan.form
  [ "$size" -le 32 ] && form=$icons/lingchuan-small.form
  "$build/bin/vxrender" "$form" "$icons/lingchuan-$size.png" \
    --scale "$(awk -v s="$size" 'BEGIN { print s / 256 }')"
done
