#!/usr/bin/env bash
# zvcrypt-cli on Linux and zvcrypt-cli.exe under Wine read each other's files:
# encrypted on one side with a Chinese password, decrypted on the other, the
# files come back byte for byte, and both sides write identical encrypted
# files. A folder directly under a drive root, locked on Windows, shows Linux
# its vault "..." and its decoy "name." under exactly those names.
# Usage: cli_round_trip.sh LINUX_CLI WINDOWS_CLI WINE_RUN
set -uo pipefail
linux_cli=$1
windows_cli=$2
wine_run=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $what"
        failed=$((failed + 1))
    fi
}

# The Windows spelling of a Linux path: Wine's drive Z: is the Linux root.
windows_path() {
    local p=${1//\//\\}
    echo "Z:$p"
}

linux() {
    printf '密码\n' | "$linux_cli" "$1" --yes --password-file - "${@:2}" 2>>"$work/log"
}

# The Windows side reads the password from a file in a folder with a Chinese name.
windows() {
    local args=()
    for p in "${@:2}"; do
        args+=("$(windows_path "$p")")
    done
    "$wine_run" "$windows_cli" "$1" --yes --password-file "$(windows_path "$work/密码/口令.txt")" \
        "${args[@]}" 2>>"$work/log"
}

starts_with_magic() {
    [[ $(head -c 3 "$1") == ":DN" ]]
}

# One small file for the in-memory codec, one over 10 MiB for the streaming one.
mkdir -p "$work/files" "$work/plain" "$work/密码"
printf '密码\r\n' >"$work/密码/口令.txt"
{ printf 'P'; head -c 70000 /dev/urandom; } >"$work/plain/报告.doc"
{ printf 'P'; head -c $((12 * 1024 * 1024)) /dev/urandom; } >"$work/plain/video.avi"
names=("报告.doc" "video.avi")

for direction in "linux windows" "windows linux"; do
    read -r encrypter decrypter <<<"$direction"
    cp "$work"/plain/* "$work/files/"
    "$encrypter" encrypt "${names[@]/#/$work/files/}"
    check "$encrypter encrypts (exit status)" test $? -eq 0
    for n in "${names[@]}"; do
        check "$encrypter writes the header of $n" starts_with_magic "$work/files/$n"
        if [[ $encrypter == linux ]]; then
            cp "$work/files/$n" "$work/linux-$n"
        else
            check "Windows writes $n exactly as Linux does" cmp -s "$work/files/$n" "$work/linux-$n"
        fi
    done
    "$decrypter" decrypt "${names[@]/#/$work/files/}"
    check "$decrypter decrypts (exit status)" test $? -eq 0
    for n in "${names[@]}"; do
        check "$n back from $encrypter through $decrypter" cmp -s "$work/files/$n" "$work/plain/$n"
    done
done

# A folder under the root of the spare drive, seen from Linux.
drive=$("$wine_run" winepath -u 'R:\')
name="zvroot$$"
mkdir -p "$drive/$name"
echo inside >"$drive/$name/inside.txt"
printf '密码\n' | "$wine_run" "$windows_cli" encrypt --yes --password-file - "R:\\$name" 2>>"$work/log"
check "the lock under R:\\ succeeds" test $? -eq 0
check "Linux sees the folder in the vault R:\\..." test -f "$drive/.../$name/inside.txt"
check "Linux sees the key file" test -f "$drive/.../$name/IniKey"
check "Linux sees the decoy $name." test -d "$drive/$name."
check "the folder is gone from its place" test ! -e "$drive/$name"
printf '密码\n' | "$wine_run" "$windows_cli" decrypt --yes --password-file - "R:\\$name." 2>>"$work/log"
check "the unlock succeeds" test $? -eq 0
check "the folder is back" cmp -s <(echo inside) "$drive/$name/inside.txt"
check "the decoy is gone" test ! -e "$drive/$name."
check "no key file is left" test ! -e "$drive/$name/IniKey"
rm -rf "${drive:?}/$name"
rmdir "$drive/..." 2>/dev/null

# The drive root itself is refused with its letter.
refusal=$("$wine_run" "$windows_cli" encrypt --yes --no-password 'R:\' 2>&1 | tr -d '\r')
echo "$refusal" >>"$work/log"
check "R:\\ is refused, with its letter" grep -qx '警告: 不允许直接对R盘进行加密!' <<<"$refusal"

if ((failed > 0)); then
    cat "$work/log"
fi
echo "cli round trip: $passed passed, $failed failed"
((failed == 0))
