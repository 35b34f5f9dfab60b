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
mkdir -p "$work"
if ! [ -d "$work/node_modules/typescript" ] || ! cmp -s "$here/package-lock.json" "$work/package-lock.json"; then
  command -v npm >/dev/null || { echo "check_types.sh: npm is not installed" >&2; exit 77; }
  if ! timeout 20 npm ping >/dev/null 2>&1; then
    echo "check_types.sh: the npm registry cannot be reached; the type check is skipped" >&2
    exit 77
  fi
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  (cd "$work" && timeout 300 npm ci --ignore-scripts --no-audit --no-fund >/dev/null)
fi
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
