#!/usr/bin/env bash
# The core compiled to WebAssembly draws, byte for byte, the figure the native core draws, at
# the picture's size in device pixels at each ratio a browser zooms to (1, 1.25, 1.5, 2, 3);
# an impossible size ends it with the program's failure line and status 1, not a hang.
#
#   same_figure_test.sh NATIVE_FIGURE_IMAGE WEB_BUILD
set -euo pipefail
native=$1
web=$2/figure_image.wasm
here=$(cd "$(dirname "$0")" && pwd)
run_web() { node --no-warnings "$here/../../cmake/wasi-run.mjs" "$web" "$@"; }

[ -f "$web" ] || { echo "no WebAssembly build at $web: build the web preset first (tools/test does)"; exit 1; }
failed=0
for size in "577 417" "721 521" "866 626" "1154 834" "1731 1251"; do
    # shellcheck disable=SC2086 # the size is two words
    if cmp -s <("$native" $size) <(run_web $size); then
        echo "at $size: the same figure"
    else
        echo "at $size: the WebAssembly figure differs from the native one"
        failed=1
    fi
done

status=0
message=$(run_web 577 0 2>&1 >/dev/null) || status=$?
if [ "$status" -eq 1 ] && grep -q '^dragonfold: 予期しない失敗のため終了します。 the height of a retained image' <<<"$message"; then
    echo "at 577 0: ends with the failure line and status 1"
else
    echo "at 577 0: expected the failure line and status 1, got status $status: $message"
    failed=1
fi
exit "$failed"
