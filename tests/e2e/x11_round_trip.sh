#!/usr/bin/env bash
# Encrypt a file through the real window and decrypt it again, as a person
# would: the file given on the command line, the password typed twice, the
# picture clicked, and each message box answered from the keyboard.
# Usage: x11_round_trip.sh path/to/zvcrypt
set -euo pipefail
program=$(realpath "$1")

work=$(mktemp -d)
pid=""
xpid=""
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [[ -n "$xpid" ]] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A private X server: -displayfd lets the server pick a free display itself,
# so parallel runs and other X servers on the machine never collide.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xpid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || { cat "$work/xvfb.log" >&2; echo "FAILED: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Wait for a visible window whose title is exactly $1; prints its id.
wait_window() {
    local id=""
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1 || true)
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        # No point waiting for a window of a program that has ended.
        [[ -n "$pid" ]] && ! kill -0 "$pid" 2>/dev/null && return 1
        sleep 0.1
    done
    return 1
}

# Answer the message box titled $1 with the key $2 (Return takes the default, Yes).
answer() {
    local box
    box=$(wait_window "$1") || fail "no message box titled $1"
    xdotool windowfocus --sync "$box" key --clearmodifiers "$2"
    # Wait until it has gone, so the next search does not find it again.
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -qx "$box" || return 0
        sleep 0.1
    done
    fail "the message box $1 stayed open"
}

# Start the program on a file and wait for its window. A loaded machine can
# make the first connection to a fresh X server fail, so try a few times.
start() {
    for attempt in 1 2 3; do
        "$program" "$1" &
        pid=$!
        if window=$(wait_window 'ZV文件加密工具'); then
            xdotool windowfocus --sync "$window"
            return 0
        fi
        echo "attempt $attempt: the window did not show up" >&2
        stop
    done
    fail "the window did not show up"
}

stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
}

# Click at a point of the window's client area and type text there.
type_at() {
    xdotool mousemove --window "$window" "$1" "$2" click 1 sleep 0.2 type --delay 30 "$3"
}

password='Secret 42'
file="$work/季度 报告.txt"
{ printf 'quarterly figures\n'; head -c 200000 /dev/urandom; } >"$file"
cp "$file" "$work/original"

# Encrypt: EditPass at 282,183 and EditPass2 at 464,183 (103 x 23); ImagADD at 302,245 (96 x 66).
start "$file"
type_at 330 194 "$password"
type_at 512 194 "$password"
xdotool mousemove --window "$window" 350 278 click 1
answer '提示' Return # 真的要对加密吗？
answer '提示' Return # 加密完毕!
stop

[[ $(head -c 3 "$file") == ":DN" ]] || fail "the file was not encrypted"
expected=$(($(stat -c %s "$work/original") + 5 + ${#password}))
[[ $(stat -c %s "$file") -eq $expected ]] || fail "encrypted size $(stat -c %s "$file"), expected $expected"

# Decrypt: only EditPass counts; ImageUbb at 454,243 (99 x 69).
start "$file"
type_at 330 194 "$password"
xdotool mousemove --window "$window" 503 277 click 1
answer '提示' Return # 真的要进行解密吗？
answer '提示' Return # 解密完毕!
stop

cmp -s "$file" "$work/original" || fail "the decrypted file differs from the original"
echo "x11 round trip: encrypted and decrypted through the window"
