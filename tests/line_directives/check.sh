#!/bin/sh
# check.sh TOOL WORK_DIR COMPILER...
#
# With --line-directives, a C compiler's error about a line copied from the
# description names the description and that line, also after a generated
# block; without it, the header's own line.  The same where both paths hold
# a backslash, a quote and (the description's) a newline: the #line names
# are C strings, and the compiler names the real path.  A missing compiler
# is skipped.
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
odd_dir='b\x"q'
odd_def=$(printf 'a\n#error injected\n.def')
mkdir "$odd_dir"
cp wam_arch.def "$odd_def"
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
  "$tool" --line-directives -d "$odd_def" -o "$odd_dir" > /dev/null
  "$cc" -fsyntax-only -x c "$odd_dir/wam_arch.h" 2> log || true
  # One error, the mistake's, at the path's three lines and line 8: no text
  # of a path read as a line or as an escape of its own.
  [ "$(grep -c ': error:' log)" = 1 ] && head -1 log | grep -qx 'a' && sed -n 2p log | grep -qx '#error injected' &&
    sed -n 3p log | grep -q '^\.def:8:.*expected expression' ||
    { echo "$cc does not name the description's path alone"; cat log; exit 1; }
done
[ "$skipped" -lt "$#" ] || exit 77
