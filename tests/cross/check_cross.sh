#!/bin/sh
# The porter's walk of docs/description-format.md ("Porting to a new
# processor") for one processor, from the document's own blocks: the
# checker of tests/c_integration (the split description, three registers in
# machine registers) cross-built as an engine that adds pl_config with
# add_subdirectory(), run under qemu-user; then the same engine through
# find_package() of the tool that build made for the build machine; a tool
# built for another processor, which must fail the configure; and the make
# recipe's cross build of the checker.
#
#   check_cross.sh ARCH SOURCE_DIR DOC C_INTEGRATION_DIR OTHER_BUILD MAKE_RECIPE WORK_DIR
#
# ARCH is aarch64 or riscv64; the document's walk is for riscv64 and its
# registers s2;s3;s4;s5, replaced here by ARCH's.  OTHER_BUILD is a build
# tree of pl_config for another processor.  Exits with 77, which the test
# counts as skipped, when a cross compiler or qemu is not installed.

set -u
arch=$1 source=$2 doc=$3 c_integration=$4 other_build=$5 make_recipe=$6 work=$7
case $arch in
  aarch64) regs='x19;x20;x21;x22' machine=AArch64 ;;
  riscv64) regs='s2;s3;s4;s5' machine=RISC-V ;;
  *) echo "unknown processor $arch"; exit 1 ;;
esac
triplet=$arch-linux-gnu
for need in "$triplet-gcc gcc-$triplet" "$triplet-g++ g++-$triplet" "qemu-$arch-static qemu-user-static"; do
  set -- $need
  command -v "$1" > /dev/null 2>&1 || { echo "no $1 (Debian package $2): skipped"; exit 77; }
done
export CMAKE_EXPORT_COMPILE_COMMANDS=ON
fixed="-ffixed-$(echo "$regs" | sed 's/;/ -ffixed-/g')"
step=setup

fail() {
  echo "$step: $*"
  [ -f "$work/log" ] && { echo "--- log:"; cat "$work/log"; }
  exit 1
}

# block NAME: the document's block under "<!-- cross port: NAME -->", for ARCH.
block() {
  awk -v marker="<!-- cross port: $1 -->" '
    found == 1 && /^```/ { found = 2; next }
    found == 2 && /^```$/ { exit }
    found == 2 { print }
    $0 == marker { found = 1 }' "$doc" | sed -e "s/riscv64/$arch/g" -e "s/s2;s3;s4;s5/$regs/g"
}

# run STEP COMMAND...: runs it with its output in the log; fails the test if it fails.
run() {
  step=$1
  shift
  "$@" > "$work/log" 2>&1 || fail "failed: $*"
}

# passed BUILD: the checker's run succeeded and BUILD compiled it with the machine registers' options.
passed() {
  grep -q "checks passed" "$work/log" || fail "the checker did not pass"
  grep -q -e "$fixed" "$1/compile_commands.json" || fail "$1 compiled the engine without $fixed"
}

rm -rf "$work" && mkdir -p "$work/engine" && cd "$work" || exit 1
for file in riscv64-linux-gnu.cmake CMakeLists.txt build; do
  [ -n "$(block $file)" ] || fail "the document has no block $file"
done
block riscv64-linux-gnu.cmake > "$triplet.cmake"
block CMakeLists.txt > engine/CMakeLists.txt
block build > build.sh
cp "$c_integration"/engine.c "$c_integration"/checks.c "$c_integration"/checker.h "$c_integration"/th_config.h \
   "$c_integration"/split/names.h "$c_integration"/split/wam_arch.def engine/ || exit 1
ln -s "$source" engine/pl_config || exit 1
# The checker's own settings: GNU C for the register variables, and its
# variant with three registers in machine registers.
export CFLAGS="-std=gnu11 -DMACHINE_VARIANT=3"

run "add_subdirectory" sh -e build.sh
passed "build-$arch"
grep -q -x "Processor         : $arch" "build-$arch/engine_headers-summary.txt" ||
  fail "the summary does not name $arch: $(cat "build-$arch/engine_headers-summary.txt")"
native=$work/build-$arch/pl_config/native

run "find_package" cmake -S engine -B build-package --toolchain "$work/$triplet.cmake" "-Dpl_config_DIR=$native"
run "find_package" cmake --build build-package
run "find_package" "qemu-$arch-static" build-package/engine_test
passed build-package

step="another processor's tool"
cmake -S engine -B build-other --toolchain "$work/$triplet.cmake" "-Dpl_config_DIR=$other_build" > "$work/log" 2>&1 &&
  fail "the configure succeeded"
tr -s ' \n' '  ' < "$work/log" | grep -q -e "-DPL_CONFIG_PROCESSOR=$arch " ||
  fail "the error does not say what to build the tool with"

# The make recipe, its headers written by the tool built for the build machine.
mkdir make && cp engine/*.c engine/*.h engine/wam_arch.def "$make_recipe" make/ || exit 1
run "make recipe" make -C make CC="$triplet-gcc" PL_CONFIG="$native/pl_config" OBJECTS="engine.o checks.o" \
  CFLAGS="-O2 $CFLAGS"
grep -q -e "$fixed " "$work/log" || fail "make compiled without $fixed"
run "make recipe" "$triplet-gcc" -static -o make/checker make/libengine.a
run "make recipe" "qemu-$arch-static" make/checker
grep -q "checks passed" "$work/log" || fail "the checker did not pass"
"$triplet-readelf" -h make/engine.o | grep -q "Machine: *$machine" || fail "make/engine.o is not for $machine"
echo "$arch: the walk, find_package(), another processor's tool and the make recipe"
