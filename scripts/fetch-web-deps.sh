#!/usr/bin/env bash
# Fetches the web parts that are built from elsewhere and never kept in the repository: the Ruffle
# Flash player (npm, pinned to one version and checked against its published digest) into
# FOLDER/ruffle, FOLDER being build/web-deps unless given. Safe to run again: quick when that
# version is there already.
#
#   scripts/fetch-web-deps.sh [FOLDER]
set -euo pipefail

RUFFLE_VERSION=0.6.0
RUFFLE_INTEGRITY=sha512-P2X1zDENBoiLt2ZjPcsUzaDxoR7fVF2e1U/bi7hbIAQEjkykxljSoG8AgbywHvlVVzL9Y5tIZMRqDwIm31jgPA==

root="$(cd "$(dirname "$0")/.." && pwd)"
deps="${1:-$root/build/web-deps}"
target="$deps/ruffle"
stamp="$RUFFLE_VERSION $RUFFLE_INTEGRITY"

if [ "$(cat "$target/.fetched" 2>/dev/null)" = "$stamp" ] && [ -f "$target/ruffle.js" ]; then
    exit 0
fi
command -v npm >/dev/null || { echo "fetch-web-deps: npm is needed to fetch Ruffle" >&2; exit 1; }

mkdir -p "$deps"
tmp="$(mktemp -d "$deps/.fetch-XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
# npm pack only downloads the package's archive (through npm's own cache): no package.json, no
# node_modules, no scripts run.
if ! (cd "$tmp" && timeout 300 npm pack --silent "@ruffle-rs/ruffle@$RUFFLE_VERSION" >pack.out 2>&1); then
    echo "fetch-web-deps: could not fetch @ruffle-rs/ruffle@$RUFFLE_VERSION from npm:" >&2
    tail -n 20 "$tmp/pack.out" >&2
    exit 1
fi
archive="$tmp/ruffle-rs-ruffle-$RUFFLE_VERSION.tgz"
[ -f "$archive" ] || { echo "fetch-web-deps: npm left no $(basename "$archive")" >&2; exit 1; }
digest="sha512-$(openssl dgst -sha512 -binary "$archive" | base64 -w0)"
if [ "$digest" != "$RUFFLE_INTEGRITY" ]; then
    echo "fetch-web-deps: Ruffle $RUFFLE_VERSION does not match its pinned digest (got $digest)" >&2
    exit 1
fi
mkdir "$tmp/unpacked"
tar -xzf "$archive" -C "$tmp/unpacked" --no-same-owner
echo "$stamp" >"$tmp/unpacked/package/.fetched"
rm -rf "$target"
mv "$tmp/unpacked/package" "$target"
echo "fetch-web-deps: Ruffle $RUFFLE_VERSION in $target"
