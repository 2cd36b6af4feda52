#!/usr/bin/env bash
# The Debian package as a player's machine gets it: built by scripts/package (which fails on any
# lintian error), its desktop entry and AppStream data valid, unpacked into a scratch root where every
# library the program loads resolves there or on the system, and the unpacked program started
# headless until its first screen takes input.
#   check_package.sh <source-dir>
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

deb=$("$source_dir/scripts/package" "$scratch/out" | tail -n 1)
[ -f "$deb" ] || { echo "no package was built"; exit 1; }

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null

# The font packages the package depends on, as the system has them.
ln -s /usr/share/fonts "$root/usr/share/fonts"
ln -s /usr/share/texmf "$root/usr/share/texmf"
for font in "$root"/usr/share/swiggard/data/gui/fonts/*; do
    [ -e "$font" ] || { echo "font link does not resolve: $font"; exit 1; }
done

missing=0
for binary in "$root/usr/games/swiggard" "$root"/usr/lib/swiggard/*.so; do
    if env -u LD_LIBRARY_PATH ldd "$binary" | grep -q "not found"; then
        echo "unresolved libraries of $binary:"
        env -u LD_LIBRARY_PATH ldd "$binary" | grep "not found"
        missing=1
    fi
done
[ "$missing" = 0 ]
if env -u LD_LIBRARY_PATH ldd "$root/usr/games/swiggard" | grep -q "$source_dir"; then
    echo "the unpacked program loads libraries of the build tree"
    exit 1
fi

home="$scratch/home"
mkdir -p "$home"
log="$scratch/run.log"
env -u LD_LIBRARY_PATH HOME="$home" XDG_DATA_HOME="$home/.local/share" SDL_VIDEODRIVER=offscreen \
    SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 \
    timeout 30 "$root/usr/games/swiggard" >"$log" 2>&1 &
game=$!
for _ in $(seq 1 300); do
    if grep -q "First screen takes input" "$log"; then
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
        grep -q "Reading CFG: cfg/default.cfg" "$log"
        echo "the unpacked game reached its first screen: $(grep -o 'First screen takes input.*' "$log")"
        exit 0
    fi
    sleep 0.1
done
echo "the unpacked game did not reach its first screen:"
tail -n 30 "$log"
exit 1
