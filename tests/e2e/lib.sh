# Shared by the whole-program tests: a private X server with a window
# manager, a stub xdg-open that records what the program asks the shell to
# open, and the cleanup of every process started, by its id.
#
# Use:  source "$(dirname "$0")/lib.sh"; e2e_start; ... ; (cleanup on exit)

set -u
E2E_PIDS=()
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/quorva-e2e-XXXXXX")

e2e_cleanup() {
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    [ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT" 2>/dev/null
    exit 1
}

# Starts a process in the background and remembers its id for the cleanup.
e2e_spawn() {
    "$@" &
    E2E_PIDS+=($!)
    E2E_LAST_PID=$!
}

# Xvfb on a free display, openbox on it, and the stub xdg-open first on PATH.
e2e_start() {
    local n
    for n in $(seq 90 190); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        e2e_spawn Xvfb ":$n" -noreset -screen 0 "${E2E_SCREEN:-1366x768x24}" -nolisten tcp
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            export DISPLAY=":$n"
            break
        fi
    done
    [ -n "${DISPLAY:-}" ] || e2e_fail "no free X display"
    export QT_QPA_PLATFORM=xcb
    e2e_spawn openbox
    sleep 0.5

    mkdir -p "$E2E_WORK/bin"
    export E2E_OPENED="$E2E_WORK/opened.txt"
    : > "$E2E_OPENED"
    cat > "$E2E_WORK/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$*" >> "$E2E_OPENED"
STUB
    chmod +x "$E2E_WORK/bin/xdg-open"
    export PATH="$E2E_WORK/bin:$PATH"
}

# Waits until a window with exactly this title exists; prints its id.
e2e_wait_window() {
    local title=$1 seconds=${2:-10} id
    for _ in $(seq $((seconds * 10))); do
        # xdotool's search ignores case: keep the exact title only.
        for id in $(xdotool search --name "^${title}\$" 2>/dev/null); do
            [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Waits until a line matching the pattern was recorded by the stub xdg-open.
e2e_wait_opened() {
    local pattern=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        grep -q -- "$pattern" "$E2E_OPENED" && return 0
        sleep 0.1
    done
    return 1
}
