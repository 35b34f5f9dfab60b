#!/bin/sh
# npm pack in the package folder, then the tarball installed offline into an empty folder and
# imported by Node, as a user would.
#   package_install.sh PACKAGE_DIR WORK_DIR
set -eu
package=$1
work=$2
rm -rf "$work"
mkdir -p "$work/pack" "$work/app"
(cd "$package" && npm pack --pack-destination "$work/pack" >/dev/null)
tarball=$(ls "$work"/pack/velunta-*.tgz)
cd "$work/app"
echo '{"name": "velunta-install-check", "private": true}' > package.json
npm install --offline --no-audit --no-fund "$tarball" >/dev/null
answer=$(node -e 'import("velunta").then(v => console.log(JSON.stringify(v.holiday("2026-05-06"))))')
expected='{"date":"2026-05-06","weekday":"Wed","name":"振替休日","name_en":"Substitute Holiday","kind":"substitute","day_off":true,"predicted":false,"business_day":null}'
if [ "$answer" != "$expected" ]; then
  echo "package_install.sh: the installed package answered $answer" >&2
  exit 1
fi
count=$(node --input-type=module -e 'import { BusinessCalendar } from "velunta"; console.log(new BusinessCalendar().count("2024-04-26", "2024-05-07"))')
[ "$count" = 4 ] || { echo "package_install.sh: count answered $count" >&2; exit 1; }
echo "installed $(basename "$tarball") offline; holiday and count answer"
