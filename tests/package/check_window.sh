#!/usr/bin/env bash
# The built program in a real X window (Xvfb at 1366 x 768, a fresh per-user folder, no sound card
# unless the machine has one), once with each renderer: it reaches its first screen, ends cleanly when
# the system asks it to, and the software renderer never loads an OpenGL driver (Mesa's costs some
# 60 MB and a third of a second at start).
#   check_window.sh <program>
set -euo pipefail
program=$(realpath "$1")
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (scripts/setup installs it)"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs inside xvfb-run: starts the game, waits for its first screen, keeps its mapped files, ends it.
cat >"$scratch/run.sh" <<'EOF'
#!/usr/bin/env bash
set -u
program=$1 log=$2 maps=$3
"$program" >"$log" 2>&1 &
game=$!
for _ in $(seq 1 300); do
    if grep -q "First screen takes input" "$log"; then
        cp "/proc/$game/maps" "$maps"
        kill -TERM "$game"
        wait "$game"
        exit $?
    fi
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
kill -KILL "$game" 2>/dev/null
exit 1
EOF
chmod +x "$scratch/run.sh"

failed=0
for renderer in software opengl; do
    home="$scratch/home-$renderer"
    mkdir -p "$home"
    log="$scratch/$renderer.log"
    maps="$scratch/$renderer.maps"
    status=0
    (cd "$(dirname "$program")" &&
        env -u SDL_VIDEODRIVER -u SDL_FRAMEBUFFER_ACCELERATION -u SDL_AUDIODRIVER HOME="$home" \
            XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" SDL_RENDER_DRIVER=$renderer \
            timeout 60 xvfb-run -a -s "-screen 0 1366x768x24" "$scratch/run.sh" "$program" "$log" "$maps") ||
        status=$?
    if [ "$status" != 0 ] || ! grep -q "Main loop ended" "$log"; then
        echo "$renderer: the game did not reach its first screen and end cleanly (status $status):"
        tail -n 20 "$log"
        failed=1
        continue
    fi
    grep -q "renderer '$renderer'" "$log" || { echo "$renderer: another renderer was used:"; grep "Window created" "$log"; failed=1; }
    if [ "$renderer" = software ] && grep -qE "libGL|_dri\.so|libLLVM" "$maps"; then
        echo "software: an OpenGL driver was loaded:"
        grep -oE "[^ ]*(libGL|_dri\.so|libLLVM)[^ ]*" "$maps" | sort -u
        failed=1
    fi
    echo "$renderer: $(grep -o 'First screen takes input.*' "$log")"
done
exit "$failed"
