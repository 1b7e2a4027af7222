#!/bin/sh
# check.sh TOOL WORK_DIR COMPILER...
#
# With --line-directives, a C compiler's error about a line copied from the
# description names the description and that line, also after a generated
# block; without it, the header's own line.  A missing compiler is skipped.
set -eu
tool=$1 work=$2
shift 2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
cat > wam_arch.def <<'DEF'
typedef long PlLong;
typedef unsigned long PlULong;
typedef PlLong WamWord;
@begin tags
@tag INT long_int 0
@tag REF address 4
@end
int broken = ;
DEF
printf '#include "wam_arch.h"\n' > engine.c
skipped=0
for cc in "$@"; do
  if ! command -v "$cc" > /dev/null; then
    echo "no $cc: skipped"
    skipped=$((skipped + 1))
    continue
  fi
  "$tool" --line-directives > /dev/null
  if "$cc" -fsyntax-only engine.c 2> log; then
    echo "$cc accepted the mistake"; exit 1
  fi
  grep -q '^wam_arch\.def:8:' log || { echo "$cc does not name wam_arch.def:8:"; cat log; exit 1; }
  "$tool" > /dev/null
  "$cc" -fsyntax-only engine.c 2> log || true
  grep -Eq '^(\./)?wam_arch\.h:[0-9]+:' log || { echo "without #line, $cc does not name wam_arch.h"; cat log; exit 1; }
done
[ "$skipped" -lt "$#" ] || exit 77
