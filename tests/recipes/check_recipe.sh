#!/bin/sh
# Builds the sources of tests/cmake_consumer with one of the recipes of the
# README, kept in this directory, under -j8, edits the description between
# builds and checks what each build ran: the recipes echo every command, so
# the log shows each run of pl_config (the only command with
# --write-if-changed) and each compilation ("-o NAME.o " or "-o .../NAME.c.o ").
#
#   check_recipe.sh RECIPE PROGRAM TOOL CONSUMER_DIR README WORK_DIR
#
# RECIPE is make-grouped, make-stamp, ninja or meson, PROGRAM the make, ninja
# or meson that runs it.  Exits with 77, which the test counts as skipped,
# when PROGRAM is not there or cannot run the recipe.

set -u
recipe=$1 program=$2 tool=$3 consumer=$4 readme=$5 work=$6
here=$(cd "$(dirname "$0")" && pwd)
headers="wam_arch.h wam_regs.h wam_stacks.h th_public_config.h"
# What a run writes: the headers and the summary, kept with them.
outputs="$headers pl_config-summary.txt"
step=setup

if ! command -v "$program" > /dev/null 2>&1; then
  echo "no '$program': skipped"
  exit 77
fi
if [ "$recipe" = make-grouped ] &&
   [ "$(echo 'all:;@echo $(filter grouped-target,$(.FEATURES))' | "$program" -f -)" != grouped-target ]; then
  echo "'$program' has no grouped targets: skipped"
  exit 77
fi

fail() {
  echo "$step: $*"
  [ -f "$work/log" ] && { echo "--- build log:"; cat "$work/log"; }
  exit 1
}

src=$work/src
rm -rf "$work" && mkdir -p "$src" "$work/bin" "$work/plain" "$work/good" "$work/objects" || exit 1
cp "$consumer"/*.c "$consumer"/*.h "$consumer/wam_arch.def" "$src/" || exit 1
# A copy, so that touching it leaves the build tree alone.
cp "$tool" "$work/bin/pl_config" || exit 1
tool=$work/bin/pl_config
unset MAKEFLAGS MFLAGS MAKELEVEL

case $recipe in
  make-grouped | make-stamp) recipe_file=$recipe/Makefile ;;
  ninja) recipe_file=ninja/build.ninja ;;
  meson) recipe_file=meson/meson.build ;;
  *) fail "unknown recipe $recipe" ;;
esac
# The README shows each recipe as it stands here, byte for byte.
awk 'FNR == NR { recipe = recipe $0 "\n"; next } { text = text $0 "\n" }
     END { exit index(text, recipe) == 0 }' "$here/$recipe_file" "$readme" ||
  fail "README.md does not show $recipe_file as it is"

# Each recipe as its README text tells a user to run it.  Where the headers
# and the objects land, and the description as pl_config is told it.
generated=$src objects=$src description=wam_arch.def stale_runs=0
case $recipe in
  make-grouped | make-stamp)
    cp "$here/$recipe_file" "$src/" || exit 1
    build() { (cd "$src" && "$program" -j8 PL_CONFIG="$tool"); }
    # Without restat, make sees the headers that an edit left alone older
    # than the description, and the grouped rule runs pl_config on every make.
    [ "$recipe" = make-grouped ] && stale_runs=1 ;;
  ninja)
    sed "s|^pl_config = .*|pl_config = $tool|" "$here/$recipe_file" > "$src/build.ninja" || exit 1
    build() { "$program" -C "$src" -v -j8; } ;;
  meson)
    cp "$here/$recipe_file" "$src/" || exit 1
    PATH=$work/bin:$PATH "$program" setup "$work/build" "$src" > "$work/log" 2>&1 || fail "meson setup failed"
    # ninja, which Meson's build directory is for, starts much faster than
    # "meson compile" does.  A new tool makes Meson set up again (it asked
    # the tool for its registers), so the tool stays on the PATH.
    build() { PATH=$work/bin:$PATH ninja -C "$work/build" -v -j8; }
    generated=$work/build objects=$work/build/libengine.a.p description=../src/wam_arch.def ;;
esac

# check STEP ok|fails RUNS [SOURCE...]: builds and checks the outcome, that
# pl_config ran RUNS times ("-": not counted) and that just the SOURCEs (in
# alphabetical order) were compiled.  No temporary header may be left.
check() {
  step=$1 expected=$2 runs=$3
  shift 3
  build > "$work/log" 2>&1
  status=$?
  [ "$expected" = ok ] && [ $status -ne 0 ] && fail "the build failed ($status)"
  [ "$expected" = fails ] && [ $status -eq 0 ] && fail "the build succeeded"
  ran=$(grep -c -e '--write-if-changed' "$work/log")
  [ "$runs" = - ] || [ "$ran" -eq "$runs" ] || fail "pl_config ran $ran times, not $runs"
  compiled=$(grep -o -e '-o [^ ]*\.o ' "$work/log" |
             sed -e 's|^-o ||' -e 's|^.*/||' -e 's|\.c\.o $||' -e 's|\.o $||' | sort | tr '\n' ' ')
  [ "$compiled" = "$*${*:+ }" ] || fail "compiled ($compiled) instead of ($*)"
  ls -a "$generated" | grep -q '^\..*\.h\.' && fail "temporary headers left: $(ls -a "$generated")"
  return 0
}

# expect_headers plain|good: the build's headers and summary must be those of a plain run
# of pl_config on the current description, so whole and current, or those of
# the last good build, kept in good/.
expect_headers() {
  if [ "$1" = plain ]; then
    cp "$src/wam_arch.def" "$work/plain/" && (cd "$work/plain" && "$tool" > pl_config-summary.txt) ||
      fail "a plain run of pl_config failed"
  fi
  for output in $outputs; do
    cmp -s "$work/$1/$output" "$generated/$output" || fail "$output differs from $1/$output"
  done
}

# edit STEP SCRIPT: starts STEP by applying a sed script to the description,
# later than the last build's outputs whatever the file system's time stamp
# resolution.
edit() {
  step=$1
  sleep 1
  sed "$2" "$src/wam_arch.def" > "$work/edited" && ! cmp -s "$work/edited" "$src/wam_arch.def" ||
    fail "the edit '$2' changes nothing"
  cat "$work/edited" > "$src/wam_arch.def"
}

check "first build" ok 1 client engine stacks
expect_headers plain
check "no-op rebuild" ok 0

# An empty line inside a section is dropped: no header changes.
edit "empty line in the tags section" '/^@begin tags$/G'
check "$step" ok 1
expect_headers plain
check "$step, built again" ok $stale_runs

# A rebuilt tool with the same constants writes the same headers.
sleep 1
touch "$tool"
check "new tool" ok 1

# A tag value changes the architecture and public configuration headers; the
# stack header stays as it was.
edit "changed tag" 's/^@tag FLT address 4$/@tag FLT address 5/'
check "$step" ok 1 client engine
expect_headers plain
for output in $outputs; do cp "$generated/$output" "$work/good/" || exit 1; done

# A broken description fails every build until it is repaired, with the
# tool's message on a line of its own, located at the line (the ninth since
# the empty line), and the last good headers stay.
edit "broken description" 's/^@tag FLT address 5$/@tag FLT float 5/'
for attempt in "$step" "$step, built again"; do
  check "$attempt" fails -
  # The kinds the message lists after the name are the tool's to choose.
  sed -n "s/ (.*)\$//p" "$work/log" | grep -q -x -F -e "$description:9:10: error: wrong tag type 'float'" ||
    fail "the tool's message is not in the build log"
  expect_headers good
done

edit "repaired description" 's/^@tag FLT float 5$/@tag FLT address 5/'
check "$step" ok 1
expect_headers good

# Every object is what a compilation of the final sources gives: no build
# compiled against a stale or partly written header.
step="objects compiled afresh"
mv "$objects"/*.o "$work/objects/" || fail "no objects in $objects"
check "$step" ok $stale_runs client engine stacks
for object in "$work/objects"/*.o; do
  cmp -s "$object" "$objects/${object##*/}" || fail "${object##*/} differs from a fresh compilation"
done
echo "$recipe: every rebuild ran and compiled what it should"
