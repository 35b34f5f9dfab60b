#!/bin/sh
# index.d.ts under tsc --noEmit --strict on the README's TypeScript examples, which must equal
# readme_examples.ts. TypeScript comes from npm, pinned by package-lock.json and installed into
# WORK once per lock file; exits 77 (skipped) only when the npm registry cannot be reached.
#   check_types.sh TESTS_DIR PACKAGE_DIR WORK
set -eu
here=$1
package=$(cd "$2" && pwd)
work=$3
examples=$(mktemp)
trap 'rm -f "$examples"' EXIT
awk '/^```ts$/{on=1; next} /^```$/{on=0} on' "$here/../README.md" > "$examples"
if ! sed '1,2{/^\/\/ /d}' "$here/readme_examples.ts" | cmp -s - "$examples"; then
  echo "check_types.sh: readme_examples.ts differs from the TypeScript examples of js/README.md" >&2
  exit 1
fi
status=0
"$here/../../scripts/install-pinned-npm.sh" "$here" "$work" >/dev/null || status=$?
[ "$status" -eq 0 ] || exit "$status"
# The package as a project that installed it sees it.
rm -rf "$work/node_modules/velunta"
ln -s "$package" "$work/node_modules/velunta"
cp "$here/readme_examples.ts" "$work/"
cat > "$work/tsconfig.json" <<'JSON'
{
  "compilerOptions": {
    "strict": true,
    "noEmit": true,
    "target": "es2022",
    "module": "nodenext",
    "moduleResolution": "nodenext",
    "lib": ["es2022", "esnext.disposable", "dom"],
    "types": []
  },
  "files": ["readme_examples.ts"]
}
JSON
cd "$work" && node node_modules/typescript/bin/tsc -p tsconfig.json
echo "index.d.ts accepts the README's examples under --strict"
