#!/usr/bin/env bash
# Checks the library as another project gets it. For each kind of build (static, shared):
# builds the library and the tool, installs them into a temporary prefix, compiles every
# installed header on its own, builds tests/consumer against the install with CMake's
# find_package and with pkg-config and runs it both ways; for the shared build checks the
# SONAME too. Then makes the Debian package (cpack -G DEB), checks that it lists the
# headers, the library, the CMake and pkg-config files and the tool, and builds the consumer
# against the package's unpacked files.
# Usage: scripts/package-check.sh [static|shared ...]  (both by default)
# Build folders: build/package/<kind>; FUZZY_WERROR=ON makes warnings errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh" pkg-config dpkg-dev
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(static shared)
cxx="${CXX:-c++}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "package-check: $*" >&2
    exit 1
}

# Builds tests/consumer with the flags pkg-config gives for the fuzzy.pc under $1 and runs it.
consumer_with_pkg_config() {
    local pcdir=$1 out=$2
    local flags
    flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs fuzzy)
    # shellcheck disable=SC2086 # the flags are words
    "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror "$root/tests/consumer/consumer.cpp" \
        $flags -o "$out"
    LD_LIBRARY_PATH="$(PKG_CONFIG_PATH="$pcdir" pkg-config --variable=libdir fuzzy)" "$out"
}

for kind in "${kinds[@]}"; do
    case $kind in
    static) shared=OFF ;;
    shared) shared=ON ;;
    *) fail "unknown kind of build '$kind' (static or shared)" ;;
    esac
    echo "-- $kind library"
    build="$root/build/package/$kind"
    prefix="$work/$kind/prefix"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS="$shared" \
        -DFUZZY_BUILD_TESTS=OFF -DFUZZY_BUILD_EXAMPLES=OFF \
        -DFUZZY_WERROR="${FUZZY_WERROR:-OFF}" >/dev/null
    cmake --build "$build" -j"$(nproc)" >/dev/null
    cmake --install "$build" --prefix "$prefix" >/dev/null
    pcdir=$(dirname "$(find "$prefix" -name fuzzy.pc)")
    libdir=$(PKG_CONFIG_PATH="$pcdir" pkg-config --variable=libdir fuzzy)

    # Each public header on its own: one that needs a header that is not installed (a
    # detail/ one), or that misses an include of its own, fails here.
    headers=$(cd "$prefix/include/fuzzy" && find . -name '*.hpp' | sort)
    [ -n "$headers" ] || fail "no headers installed"
    for header in $headers; do
        echo "#include \"${header#./}\"" >"$work/header.cpp"
        "$cxx" -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror \
            -I"$prefix/include/fuzzy" "$work/header.cpp" || fail "$header does not compile alone"
    done
    echo "   $(echo "$headers" | wc -l) installed headers compile on their own"

    if [ "$shared" = ON ]; then
        soname=$(objdump -p "$libdir/libfuzzy.so" | awk '$1 == "SONAME" { print $2 }')
        [ -f "$libdir/$soname" ] || fail "SONAME '$soname' names no installed file"
        echo "   SONAME $soname -> $(readlink -f "$libdir/libfuzzy.so" | xargs basename)"
    fi

    cmake -S "$root/tests/consumer" -B "$work/$kind/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/$kind/cmake" >/dev/null
    echo "   find_package: $("$work/$kind/cmake/fuzzy_consumer")"
    echo "   pkg-config:   $(consumer_with_pkg_config "$pcdir" "$work/$kind/pc_consumer")"
    if [ -x "$prefix/bin/fuzzy" ]; then
        echo "   installed tool: $(LD_LIBRARY_PATH="$libdir" "$prefix/bin/fuzzy" --version)"
    fi

    rm -f "$build"/fuzzy_*.deb
    (cd "$build" && cpack -G DEB >/dev/null)
    deb=$(ls "$build"/fuzzy_*.deb)
    dpkg-deb -c "$deb" | awk '{ print $NF }' >"$work/listing"
    if [ "$shared" = ON ]; then
        library=$(cd "$libdir" && ls libfuzzy.so.*.*.*)
    else
        library=libfuzzy.a
    fi
    for expected in include/fuzzy/FuzzyLogic/FuzzyLogic.hpp include/fuzzy/platform/Platform.hpp \
        "lib.*/$library" lib.*/cmake/fuzzy/fuzzyConfig.cmake \
        lib.*/cmake/fuzzy/fuzzyConfigVersion.cmake lib.*/cmake/fuzzy/fuzzyTargets.cmake \
        lib.*/pkgconfig/fuzzy.pc bin/fuzzy; do
        grep -q "^\./usr/$expected\$" "$work/listing" || fail "$(basename "$deb") lacks usr/$expected"
    done
    ! grep -q '/detail/' "$work/listing" || fail "$(basename "$deb") holds private detail/ headers"
    dpkg-deb -x "$deb" "$work/$kind/deb"
    consumer_with_pkg_config "$(dirname "$(find "$work/$kind/deb" -name fuzzy.pc)")" \
        "$work/$kind/deb_consumer" >/dev/null
    echo "   $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, $(wc -l <"$work/listing") entries, consumer builds against it"
done
