#!/bin/sh
# Runs a pl_config tool on one description in a fresh directory, compiles the
# four headers it writes into the checker (engine.c with ENGINE_FILE defined,
# checks.c without) with one C compiler, and runs the checker.
#
#   run_case.sh TOOL DESCRIPTION NAMES_DIR WORK_DIR CC [CFLAG...]
#
# NAMES_DIR holds the names.h of the description.  Exits with 77, which the
# test counts as skipped, when CC is not there.

set -u
tool=$1 description=$2 names_dir=$3 work=$4 cc=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "$cc" ] || ! command -v "$cc" > /dev/null 2>&1; then
  echo "no C compiler '$cc': skipped"
  exit 77
fi

rm -rf "$work" && mkdir -p "$work" && cp "$description" "$work/wam_arch.def" || exit 1
(cd "$work" && "$tool" > summary.txt 2> errors.txt)
status=$?
if [ $status -ne 0 ] || [ -s "$work/errors.txt" ]; then
  echo "pl_config exited with $status:"
  cat "$work/errors.txt"
  exit 1
fi

# The options that reserve the engine's machine registers, as the tool wrote them.
cflags_regs=$(sed -n 's/^#define CFLAGS_REGS[[:space:]]*"\(.*\)"$/\1/p' "$work/wam_regs.h")

# Under the undefined behaviour sanitizer when the compiler has it, so that no
# check passes by the grace of an undefined shift or overflow.
sanitize="-fsanitize=undefined -fno-sanitize-recover=all"
printf 'int main(void) { return 0; }\n' > "$work/probe.c"
"$cc" $sanitize "$work/probe.c" -o "$work/probe" > /dev/null 2>&1 && "$work/probe" || sanitize=

set -- "$cc" -O2 -Wall -Wextra -Werror "$@" $cflags_regs $sanitize \
  -I"$work" -I"$names_dir" -I"$here" "$here/engine.c" "$here/checks.c" -o "$work/checker"
echo "$@"
"$@" || exit 1
"$work/checker"
