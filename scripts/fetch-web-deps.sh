#!/usr/bin/env bash
# Fetches the web parts that are built from elsewhere and never kept in the repository, each from
# npm, pinned to one version and checked against its published digest, into FOLDER (build/web-deps
# unless given): the Ruffle Flash player into FOLDER/ruffle, and hls.js, which plays the room's
# video in the audience's web player, into FOLDER/hls.js and beside that player in FOLDER/player.
# Safe to run again: quick when those versions are there already.
#
#   scripts/fetch-web-deps.sh [FOLDER]
set -euo pipefail

RUFFLE_VERSION=0.6.0
RUFFLE_INTEGRITY=sha512-P2X1zDENBoiLt2ZjPcsUzaDxoR7fVF2e1U/bi7hbIAQEjkykxljSoG8AgbywHvlVVzL9Y5tIZMRqDwIm31jgPA==
HLS_VERSION=1.7.4
HLS_INTEGRITY=sha512-3GlxGdPvT2YHvQYOt+yOzT/DEior/qJVNIylHA77kgeoBTdQQqi70GwefNEUmHQeNGyjC8U62+bruqW/Tpm+tg==

root="$(cd "$(dirname "$0")/.." && pwd)"
deps="${1:-$root/build/web-deps}"

# fetch NPM-NAME VERSION INTEGRITY ARCHIVE-NAME FOLDER-NAME KEY-FILE
fetch() {
    local name="$1" version="$2" integrity="$3" archive_name="$4" folder="$5" key="$6"
    local target="$deps/$folder" stamp="$2 $3" tmp archive digest
    if [ "$(cat "$target/.fetched" 2>/dev/null)" = "$stamp" ] && [ -f "$target/$key" ]; then
        return 0
    fi
    command -v npm >/dev/null || { echo "fetch-web-deps: npm is needed to fetch $name" >&2; return 1; }
    mkdir -p "$deps"
    tmp="$(mktemp -d "$deps/.fetch-XXXXXX")"
    # npm pack only downloads the package's archive (through npm's own cache): no package.json,
    # no node_modules, no scripts run.
    if ! (cd "$tmp" && timeout 300 npm pack --silent "$name@$version" >pack.out 2>&1); then
        echo "fetch-web-deps: could not fetch $name@$version from npm:" >&2
        tail -n 20 "$tmp/pack.out" >&2
        rm -rf "$tmp"
        return 1
    fi
    archive="$tmp/$archive_name-$version.tgz"
    if [ ! -f "$archive" ]; then
        echo "fetch-web-deps: npm left no $(basename "$archive")" >&2
        rm -rf "$tmp"
        return 1
    fi
    digest="sha512-$(openssl dgst -sha512 -binary "$archive" | base64 -w0)"
    if [ "$digest" != "$integrity" ]; then
        echo "fetch-web-deps: $name $version does not match its pinned digest (got $digest)" >&2
        rm -rf "$tmp"
        return 1
    fi
    mkdir "$tmp/unpacked"
    tar -xzf "$archive" -C "$tmp/unpacked" --no-same-owner
    echo "$stamp" >"$tmp/unpacked/package/.fetched"
    rm -rf "$target"
    mv "$tmp/unpacked/package" "$target"
    rm -rf "$tmp"
    echo "fetch-web-deps: $name $version in $target"
}

status=0
fetch @ruffle-rs/ruffle "$RUFFLE_VERSION" "$RUFFLE_INTEGRITY" ruffle-rs-ruffle ruffle ruffle.js || status=1
if fetch hls.js "$HLS_VERSION" "$HLS_INTEGRITY" hls.js hls.js dist/hls.min.js; then
    # The audience's player loads it from its own folder, so that the two travel together.
    mkdir -p "$deps/player"
    cmp -s "$deps/hls.js/dist/hls.min.js" "$deps/player/hls.min.js" ||
        cp "$deps/hls.js/dist/hls.min.js" "$deps/player/hls.min.js"
else
    status=1
fi
exit "$status"
