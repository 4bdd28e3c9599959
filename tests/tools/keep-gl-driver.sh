#!/usr/bin/env bash
# Runs a program built with AddressSanitizer so that LeakSanitizer can name
# the third-party libraries that leak at exit.
#
# Mesa's GLX loads its driver module (swrast_dri.so under Xvfb) with dlopen
# and unloads it at exit, before the leak check runs. Leaks made inside an
# unloaded module are reported from "<unknown module>", which no suppression
# can match, so they could only be ignored together with our own. Preloading
# the driver keeps it loaded to the end, and tests/lsan-third-party.supp then
# names it. A dynamically linked ASan runtime (GCC's) must come first in the
# library list, so it is preloaded ahead of the driver.
#
# Usage: keep-gl-driver.sh PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)

program=$1
# awk reads to the end: stopping early would break ldd's pipe.
asan_runtime=$(ldd "$program" | awk '/libasan\.so/ && !found {print $3; found = 1}')
driver=
for dir in "/usr/lib/$(uname -m)-linux-gnu/dri" /usr/lib64/dri /usr/lib/dri; do
    if [ -e "$dir/swrast_dri.so" ]; then
        driver=$dir/swrast_dri.so
        break
    fi
done
if [ -z "$driver" ]; then
    echo "keep-gl-driver: Mesa's swrast_dri.so was not found" >&2
    exit 1
fi

export LD_PRELOAD="${asan_runtime:+$asan_runtime }$driver${LD_PRELOAD:+ $LD_PRELOAD}"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/tests/lsan-third-party.supp}
exec "$@"
