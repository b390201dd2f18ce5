#!/bin/sh
# Runs a test program as an ordinary user, where file permissions hold (root ignores them).
# ./test installs setpriv (util-linux); without it the test fails rather than passing unseen. Exits
# 77 (skipped, and CTest lists it so) only when no folder here lets another user run the program.
set -u
program="$1"; shift
if [ "$(id -u)" -ne 0 ]; then exec "$program" "$@"; fi
command -v setpriv >/dev/null 2>&1 || { echo "setpriv is missing: install util-linux" >&2; exit 1; }
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
# The build folder may sit where that user cannot reach it (a clone in a private temporary
# folder): run a copy from a folder of its own instead of skipping.
if ! as_nobody test -x "$program"; then
    copy=$(mktemp -d) || exit 1
    trap 'rm -rf "$copy"' EXIT
    chmod 755 "$copy" && cp "$program" "$copy/" || exit 1
    program="$copy/$(basename "$program")"
    as_nobody test -x "$program" || { echo "no folder here lets another user run $program" >&2; exit 77; }
fi
cd /tmp || exit 1
export HOME=/tmp
as_nobody "$program" "$@"
