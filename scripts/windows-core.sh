#!/usr/bin/env bash
# The core for Windows: cross-builds the libraries below the Qt layer and
# their tests with MinGW-w64 (cmake/mingw-w64.cmake), runs every test program
# under Wine, then builds and runs the same tests natively, and fails unless
# both sides pass and ran the same number of tests. Also fails when a core
# program imports a Qt library, or when the comma-locale test could not set a
# comma locale on either side. Prints each step's time and the load average.
#   KT520_WINDOWS_CACHE  apt's archive, GoogleTest built for Windows, the
#                        comma locale and the Wine prefix, kept between runs
#                        (default /var/cache/kt520-windows)
#   BUILD_WINDOWS, BUILD_CORE  the build folders (default build-windows, build-core)
#   JOBS                 parallel compilations (default 2)
# Needs root for apt-get when a package is missing.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cache="${KT520_WINDOWS_CACHE:-/var/cache/kt520-windows}"
build_windows="${BUILD_WINDOWS:-$repo/build-windows}"
build_core="${BUILD_CORE:-$repo/build-core}"
jobs="${JOBS:-2}"
started=$SECONDS

say() { printf 'windows-core: [%4ds, load %s] %s\n' $((SECONDS - started)) \
    "$(cut -d' ' -f1-3 /proc/loadavg)" "$*"; }
fail() {
    echo "windows-core: $*" >&2
    exit 1
}

# --- Packages: the cross compiler, Wine, and what the native build needs.
packages=(build-essential cmake ninja-build libgtest-dev libgmock-dev googletest
    nlohmann-json3-dev locales g++-mingw-w64-x86-64-posix wine64)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    say "installing ${missing[*]}"
    mkdir -p "$cache/apt"
    export DEBIAN_FRONTEND=noninteractive
    apt_options=(-o DPkg::Lock::Timeout=600 -o "Dir::Cache::archives=$cache/apt")
    apt-get "${apt_options[@]}" update -qq
    apt-get "${apt_options[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine="$(command -v wine64 || command -v wine)" || fail "no wine64"
objdump=x86_64-w64-mingw32-objdump

# --- GoogleTest built for Windows from Debian's sources, and the JSON
# library's headers beside it, once per version of each.
versions="$(dpkg-query -W -f='${Version} ' googletest nlohmann-json3-dev g++-mingw-w64-x86-64-posix)"
prefix="$cache/googletest-$(echo "$versions" | md5sum | cut -c1-12)"
if [[ ! -f $prefix/.done ]]; then
    say "building GoogleTest for Windows into $prefix"
    rm -rf "$prefix" "$prefix.build"
    cmake -S /usr/src/googletest -B "$prefix.build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -Dgtest_disable_pthreads=ON "${launcher[@]}" >/dev/null
    cmake --build "$prefix.build" -j "$jobs" >/dev/null
    cmake --install "$prefix.build" >/dev/null
    mkdir -p "$prefix/include" "$prefix/share/cmake"
    cp -r /usr/include/nlohmann "$prefix/include/"
    cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
    rm -rf "$prefix.build"
    touch "$prefix/.done"
fi

# --- A German locale for the native run, where the system has none; Wine
# has every Windows locale.
locales="$cache/locales"
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    if [[ ! -d $locales/de_DE.UTF-8 ]]; then
        mkdir -p "$locales"
        localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" 2>/dev/null ||
            [[ -d $locales/de_DE.UTF-8 ]] || fail "localedef could not make de_DE.UTF-8"
    fi
    export LOCPATH="$locales"
fi

# --- The builds: the core alone, without Qt, for Windows and natively.
say "cross-building the core and its tests"
cmake -S "$repo" -B "$build_windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKT520_QT=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    "${launcher[@]}" >/dev/null
cmake --build "$build_windows" -j "$jobs" >"$build_windows/build.log" 2>&1 ||
    { tail -40 "$build_windows/build.log"; fail "the Windows build failed"; }
say "building the same natively"
cmake -S "$repo" -B "$build_core" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKT520_QT=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$build_core" -j "$jobs" >"$build_core/build.log" 2>&1 ||
    { tail -40 "$build_core/build.log"; fail "the native build failed"; }

mapfile -t programs < <(cd "$build_windows/bin" && ls test_*.exe | sed 's/\.exe$//')
((${#programs[@]})) || fail "no test program was built"

# No core program may need a Qt library (the configure step checks the
# libraries' links; this checks what the linker really put in).
for exe in "$build_windows"/bin/*.exe; do
    if "$objdump" -p "$exe" | grep -i 'DLL Name:' | grep -qi 'qt'; then
        fail "$(basename "$exe") imports a Qt library"
    fi
done

# Runs each test program with the given runner; prints the number of tests
# run and the skipped tests; fails on any failure.
run_tests() {
    local side=$1 folder=$2 suffix=$3 total=0 program log count
    shift 3
    for program in "${programs[@]}"; do
        log="$folder/$program.log"
        (cd "$folder" && "$@" "./$program$suffix" >"$log" 2>&1) ||
            { tail -30 "$log" >&2; fail "$program failed on $side"; }
        count="$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log")"
        [[ -n $count ]] || { tail -30 "$log" >&2; fail "$program printed no test count on $side"; }
        total=$((total + count))
        # The list at the end names each skipped test once.
        grep -h '^\[  SKIPPED \] [A-Za-z0-9_./]*$' "$log" | sed "s/^/    $side: /" >&2 || true
        if grep -q '^\[  SKIPPED \] .*CommaLocale' "$log"; then
            fail "the comma-locale test found no comma locale on $side"
        fi
    done
    echo "$total"
}

say "running ${#programs[@]} test programs under Wine"
export WINEPREFIX="$cache/wine" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
windows=$(run_tests Windows "$build_windows/bin" .exe "$wine")
"${wine%/*}/wineserver" -k 2>/dev/null || true
say "Windows (Wine): $windows tests passed"

say "running the same natively"
linux=$(run_tests Linux "$build_core/bin" "" env)
say "Linux: $linux tests passed"

((windows == linux)) || fail "Windows ran $windows tests, Linux $linux"
say "done in $((SECONDS - started)) s"
echo "windows-core: $windows passed, 0 failed"
