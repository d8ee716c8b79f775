#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves that prefix elsewhere and runs the installed
# tool there with a fresh home: it must find its data under share, keep the user's settings and
# the virtual radio's memory in the home, and leave the installed files as they were.
#   installed_prefix_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/staged" >/dev/null
# A prefix that is not where it was installed: nothing may lead back to it, nor to the build.
mv "$work/staged" "$work/prefix"
prefix="$work/prefix"
mkdir -p "$work/home" "$work/run"

for file in bin/hvt7300 bin/hvt7300-cli share/applications/hvt7300.desktop share/man/man1/hvt7300-cli.1 \
    share/hvt7300/language/english.ini share/hvt7300/Init/HVT7300_1.dat \
    share/hvt7300/manual/en/index.html share/hvt7300/manual/zh/index.html; do
  [[ -f "$prefix/$file" ]] || fail "$file is not installed"
done
for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/hvt7300.png"
  [[ -f "$icon" ]] || fail "no ${size} px icon"
  # The PNG header holds the width and height as 32-bit big-endian numbers from byte 16.
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [[ "$width $height" == "$size $size" ]] || fail "the ${size} px icon is ${width}x${height}"
done
desktop="$prefix/share/applications/hvt7300.desktop"
for key in 'Name=HVT7300 Programming Software' 'Name\[zh_CN\]=' 'Exec=hvt7300' 'Icon=hvt7300' 'Categories='; do
  grep -q "^$key" "$desktop" || fail "the desktop entry lacks $key"
done
for program in "$prefix/bin/hvt7300" "$prefix/bin/hvt7300-cli"; do
  if readelf -d "$program" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "$program searches its libraries in the build tree"
  fi
done

listing() { (cd "$prefix" && find . -type f -printf '%p %s %T@\n' | sort); }
before="$(listing)"

# A clean environment: only the home, no variables that point anywhere else.
cli() {
  (cd "$work/run" && env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 \
    ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} \
    "$prefix/bin/hvt7300-cli" "$@")
}

version="$(cli --version)" || fail "--version failed"
[[ "$version" == "hvt7300-cli "* ]] || fail "--version printed '$version'"
cli new -o x.dat >/dev/null || fail "new failed"
[[ -s "$work/run/x.dat" ]] || fail "new wrote no file"
shown="$(cli show x.dat)" || fail "show failed"
grep -q HVT7300 <<<"$shown" || fail "show printed no model: $shown"

# The virtual radio: the write keeps its memory and the port in the home, and the read that
# follows, another run, finds both there.
printf 'Location,Frequency\r\n7,438.125000\r\n' >"$work/run/channel.csv"
cli csv-import channel.csv x.dat -o y.dat >/dev/null || fail "csv-import failed"
cli write --port virtual --yes y.dat >/dev/null 2>&1 || fail "write to the virtual radio failed"
cli read --yes -o z.dat >/dev/null 2>&1 || fail "read from the virtual radio (the port kept) failed"
grep -q '438\.125' <<<"$(cli show z.dat)" || fail "the channel written is not read back"
settings="$work/home/.config/hvt7300"
[[ -f "$settings/virtual-radio.mem" ]] || fail "the virtual radio's memory is not in $settings"
[[ -f "$settings/language/mysetup.ini" ]] || fail "the port setting is not in $settings"

[[ "$(listing)" == "$before" ]] || fail "running the installed tool changed files under the prefix"
echo "installed prefix runs on its own"
