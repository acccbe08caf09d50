#!/usr/bin/env bash
# The README's first commands, run as a new user would run them on a fresh
# Debian 12: a minimal root (apt, make, ca-certificates and nothing else),
# this repository's committed tree cloned into it, and each command of the
# README's first sh block run there as written. Prints how long each took;
# fails with the first error line of the first command that fails.
#   FRESH_CACHE    where the bare root is kept as a tarball between runs
#                  (default /var/cache/kt520-fresh; packages are installed
#                  afresh every time, only the bare root is reused)
#   FRESH_LOGS     where each command's output goes (default out/fresh-machine)
# Needs root; installs mmdebstrap when it is missing.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
suite=bookworm
cache="${FRESH_CACHE:-/var/cache/kt520-fresh}"
logs="${FRESH_LOGS:-$repo/out/fresh-machine}"
includes=make,ca-certificates

if ((EUID != 0)); then
    echo "fresh-machine: needs root (chroot and mounts)" >&2
    exit 1
fi

# The commands, from the README itself so that the two cannot drift apart:
# the lines of its first sh block, comments dropped.
mapfile -t commands < <(awk '/^```sh$/ {inside = 1; next}
    inside && /^```/ {exit}
    inside {sub(/[[:space:]]*#.*/, ""); if (length($0)) print}' "$repo/README.md")
if ((${#commands[@]} == 0)); then
    echo "fresh-machine: no sh block in README.md" >&2
    exit 1
fi

# The mirrors this machine already uses for the suite, as one-line apt entries,
# from sources.list, *.list and deb822 *.sources alike.
apt_entries() {
    local files=() f
    [[ -f /etc/apt/sources.list ]] && files+=(/etc/apt/sources.list)
    for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [[ -f $f ]] && files+=("$f")
    done
    ((${#files[@]})) || return 0
    awk -v suite="$suite" '
        function wanted(s) { return s == suite || index(s, suite "-") == 1 }
        function flush(   i, j, u, s, n, m) {
            if (types ~ /(^| )deb( |$)/ && enabled != "no") {
                n = split(uris, u, " "); m = split(suites, s, " ")
                for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
                    if (wanted(s[j])) print "deb " u[i] " " s[j] " " comps
            }
            types = uris = suites = comps = ""; enabled = "yes"
        }
        FNR == 1 { flush(); deb822 = FILENAME ~ /\.sources$/ }
        /^[[:space:]]*#/ { next }
        deb822 && /^[[:space:]]*$/ { flush(); next }
        deb822 {
            key = tolower($1); sub(/:$/, "", key); $1 = ""; sub(/^ +/, "")
            if (key == "types") types = $0
            else if (key == "uris") uris = $0
            else if (key == "suites") suites = $0
            else if (key == "components") comps = $0
            else if (key == "enabled") enabled = tolower($0)
            next
        }
        $1 == "deb" {
            line = $0; sub(/\[[^]]*\]/, "", line); split(line, w, " ")
            if (wanted(w[3])) {
                rest = w[4]; for (i = 5; i in w; i++) rest = rest " " w[i]
                print "deb " w[2] " " w[3] " " rest
            }
        }
        END { flush() }' "${files[@]}" | awk '!seen[$0]++'
}
mapfile -t mirrors < <(apt_entries)
if ((${#mirrors[@]} == 0)); then
    echo "fresh-machine: no $suite entry in this machine's apt sources" >&2
    exit 1
fi

if ! command -v mmdebstrap >/dev/null; then
    echo "Installing mmdebstrap"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null
fi

root="$(mktemp -d /var/tmp/kt520-fresh.XXXXXX)"
mounted=()

mounts_under_root() {
    findmnt -rn -o TARGET | awk -v r="$root" '$0 == r || index($0, r "/") == 1'
}

# Undoes the mounts newest first, then removes the root, but only once nothing
# is mounted in it any more: the machine's own /dev sits under it meanwhile.
cleanup() {
    local status=$? i pid
    trap - EXIT INT TERM
    # Whatever the commands left running inside the root holds its mounts.
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [[ "$(readlink "/proc/$pid/root" 2>/dev/null)" == "$root" ]] && kill -9 "$pid" 2>/dev/null
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}" || true
    done
    if [[ -n "$(mounts_under_root)" ]]; then
        echo "fresh-machine: still mounted, $root left in place:" >&2
        mounts_under_root >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

seconds_since() { echo $((SECONDS - $1)); }

# The bare root, made anew when the mirrors or the package set changed or
# when the cached one is more than a week old.
mkdir -p "$cache"
key="$(printf '%s\n' "$suite" "$includes" "${mirrors[@]}" | sha256sum | cut -c1-16)"
tarball="$cache/$suite-apt-$key.tar"
started=$SECONDS
if [[ ! -f $tarball ]] || [[ -n "$(find "$tarball" -mtime +7)" ]]; then
    rm -rf "$cache"/"$suite"-apt-*.tar "$cache/partial.tar"
    mmdebstrap --quiet --variant=apt --include="$includes" "$suite" "$cache/partial.tar" \
        "${mirrors[@]}"
    mv "$cache/partial.tar" "$tarball"
    echo "bare root: made ($(seconds_since "$started") s), kept as $tarball"
fi
tar -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "bare root: unpacked ($(seconds_since "$started") s)"

commit="$(git -C "$repo" rev-parse HEAD)"
git clone --quiet --no-checkout "$repo" "$root/root/kt520"
git -C "$root/root/kt520" checkout --quiet --detach "$commit"
echo "tree: $commit"

mount -t proc proc "$root/proc"
mounted+=("$root/proc")
mount --bind /dev "$root/dev"
mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts"
mounted+=("$root/dev/pts")

mkdir -p "$logs"
for command in "${commands[@]}"; do
    log="$logs/$(echo "$command" | tr -c 'A-Za-z0-9\n' '-').log"
    started=$SECONDS
    if chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/kt520 && $command" >"$log" 2>&1 </dev/null; then
        echo "$command: passed in $(seconds_since "$started") s"
    else
        echo "$command: FAILED after $(seconds_since "$started") s (full output: $log)" >&2
        # apt's "E:", make's "***", compilers', CMake's and CTest's error words.
        first="$(grep -m1 -E '^E: |\*\*\*|(^|[^A-Za-z])(error|Error|ERROR|FAILED|Failed)([^A-Za-z]|$)' \
            "$log" || tail -n 1 "$log")"
        echo "first error: $first" >&2
        echo "--- last lines ---" >&2
        tail -n 30 "$log" >&2
        exit 1
    fi
done
echo "fresh machine: all ${#commands[@]} commands passed"
