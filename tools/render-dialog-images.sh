#!/usr/bin/env bash
# Renders the images stored with the settings and About forms and splices them into the form
# text: the title-bar strip and the banner tile from their drawings in resources/images/, the
# logo from the application icon's form. Rerun after changing a drawing and commit the forms.
#   tools/render-dialog-images.sh [BUILD_DIR]    (default build; vxrender is built there first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vxrender >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The strip keeps some translucency, so it is stored as PNG; the tile is opaque and stored as
# JPEG, as the engine itself stores such bitmaps.
"$build/bin/vxrender" resources/images/titlebar.form "$work/titlebar.png"
"$build/bin/vxrender" resources/images/banner.form "$work/banner.jpg"
"$build/bin/vxrender" resources/icons/lingchuan.form "$work/logo.png"

# splice FORM OBJECT IMAGE...: replaces the bytes of the first bitmap ("PNG = {...}") after
# each named object's header with the image file, written as formconv writes binary data.
splice() {
  python3 - "$@" <<'PY'
import re, sys
form, pairs = sys.argv[1], sys.argv[2:]
lines = open(form, encoding="utf-8").read().split("\n")
for name, image in zip(pairs[0::2], pairs[1::2]):
    data = open(image, "rb").read()
    start = next(i for i, l in enumerate(lines) if re.match(r"\s*object %s: " % name, l))
    head = next(i for i in range(start, len(lines)) if re.match(r"\s*\S*PNG = \{", lines[i]))
    end = next(i for i in range(head, len(lines)) if lines[i].endswith("}"))
    indent = " " * (len(lines[head]) - len(lines[head].lstrip()) + 2)
    rows = [indent + data[i:i + 32].hex().upper() for i in range(0, len(data), 32)]
    rows[-1] += "}"
    lines[head + 1:end + 1] = rows
    lines[head] = lines[head][:lines[head].index("{") + 1]
open(form, "w", encoding="utf-8").write("\n".join(lines))
PY
}
splice resources/TFCONFIG.form RectangleTop "$work/titlebar.png" RectangleTop2 "$work/banner.jpg" \
  Image1 "$work/logo.png"
splice resources/TFABOUT.form Image1 "$work/logo.png"
