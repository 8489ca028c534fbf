#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user meets it:
#   bash scripts/package-check.sh
# lintian (no errors), desktop-file-validate and appstreamcli validate on
# what the package holds, no maintainer scripts (nothing runs at install
# time, nothing is written into a home); then installs it with apt-get,
# starts the installed program from its desktop entry under a private Xvfb
# screen with a fresh home, checks that its window shows and its main folder
# was laid out, closes it, runs the commands' --version, and removes the
# package again, checking that none of its files is left. Needs root or sudo.
# Prints the package's size, its installed size and the time from apt-get
# install to the first window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/install-deps.sh" lintian desktop-file-utils appstream dpkg-dev file x11-utils xvfb xauth
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

work=$(mktemp -d)
pids=()
installed_here=""
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  # A failed check leaves no package behind on the machine.
  if [ -n "$installed_here" ] && dpkg-query -W ferrowen >/dev/null 2>&1; then
    $SUDO apt-get -o DPkg::Lock::Timeout=600 purge -y -q ferrowen >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package-check: $*" >&2; exit 1; }

# The build's output stays visible; its last line names the package. (Not
# through tee /dev/stderr: that reopens a log file CI writes to, emptying it.)
bash "$root/scripts/package.sh" | tee "$work/package.log" >&2
deb=$(tail -n1 "$work/package.log")
[ -f "$deb" ] || fail "no package was built"
version=$(dpkg-deb -f "$deb" Version)
echo "package-check: $(basename "$deb")"

# --- What the package holds ---
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E '(pre|post)(inst|rm)$|/config$'; then
  fail "the package has maintainer scripts; nothing may run at install time"
fi
# The verdict is lintian's exit code, failing on errors; its warnings and
# notes are shown.
lintian_status=0
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"
dpkg-deb -x "$deb" "$work/contents"
for entry in "$work"/contents/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate: $(basename "$entry")"
done
# --no-net: the screenshot and homepage addresses name the project's web
# home, which this check does not depend on.
appstreamcli validate --no-net "$work"/contents/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

# --- Installed like any package ---
$SUDO apt-get -o DPkg::Lock::Timeout=600 purge -y -q ferrowen >/dev/null 2>&1 || true
started=$(date +%s.%N)
(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q "./$(basename "$deb")" >"$work/apt.log") ||
  { cat "$work/apt.log" >&2; fail "apt-get install failed"; }
installed_here=1
install_done=$(date +%s.%N)
dpkg -L ferrowen >"$work/files"

[ "$(sorvik2 --version)" = "sorvik2 $version" ] || fail "sorvik2 --version does not say $version"
[ "$(ferrowen --version)" = "ferrowen $version" ] || fail "ferrowen --version does not say $version"

# --- Started from the menu, with a fresh home ---
home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
display=":$(head -n1 "$work/display")"

exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/ferrowen.desktop)
sandbox=()
# The browser engine's sandbox cannot run as root (CI); a user's start keeps it.
if [ "$(id -u)" -eq 0 ]; then sandbox=(QTWEBENGINE_DISABLE_SANDBOX=1); fi
env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$home" USER="$(id -un)" DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime" \
  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "${sandbox[@]}" $exec_line >"$work/ferrowen.log" 2>&1 &
program=$!
pids+=("$program")

# The main window: named like the program, larger than the splash, and
# shown (its X window exists, unmapped, while the splash shows).
main_window() {
  local id
  for id in $(DISPLAY="$display" xwininfo -root -tree 2>/dev/null |
    awk '/"Ferrowen": \("ferrowen"/ { split($(NF-1), size, "x"); if (size[1] + 0 >= 600) print $1 }'); do
    if DISPLAY="$display" xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then echo "$id"; return; fi
  done
}
window=""
for _ in $(seq 1200); do
  window=$(main_window)
  [ -n "$window" ] && break
  kill -0 "$program" 2>/dev/null || { tail -n 20 "$work/ferrowen.log" >&2; fail "the program ended before its window showed"; }
  sleep 0.1
done
shown=$(date +%s.%N)
[ -n "$window" ] || { tail -n 20 "$work/ferrowen.log" >&2; fail "the main window did not show"; }

main="$home/.local/share/ferrowen"
for path in html/index.html kestrova.hlp/index.html kestrova.hlp/5002.html blank.dat blankmsg.htm \
  savedmgs/Saved savedmgs/sent addrbooks templates; do
  [ -e "$main/$path" ] || fail "the first start did not lay out $path in $main"
done
settings="$home/.config/ferrowen/plinthmere.ini"
grep -q "^main dir=$main/" "$settings" || fail "the settings file does not name the main folder"

# Closed as a desktop logout would: through the normal shutdown.
kill -TERM "$program"
for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program" 2>/dev/null; then fail "the program did not close on SIGTERM"; fi
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || { tail -n 20 "$work/ferrowen.log" >&2; fail "the program ended with exit code $status"; }
grep -q '^setmax=' "$settings" || fail "the shutdown did not write the window placement"

# --- Removed without a trace ---
DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 purge -y -q ferrowen >/dev/null
installed_here=""
left=0
while read -r path; do
  case "$path" in /usr/share/ferrowen*|/usr/share/doc/ferrowen*) [ -e "$path" ] && { echo "left behind: $path"; left=1; } ;; esac
done <"$work/files"
while read -r path; do
  # Files and links: folders such as /usr/bin belong to other packages too.
  if [ -e "$path" ] && [ ! -d "$path" ]; then echo "left behind: $path"; left=1; fi
done <"$work/files"
[ "$left" -eq 0 ] || fail "removing the package left files behind"

awk -v deb="$(du -k "$deb" | cut -f1)" -v size="$(dpkg-deb -f "$deb" Installed-Size)" \
  -v t0="$started" -v t1="$install_done" -v t2="$shown" 'BEGIN {
  printf "package-check: package %d KiB, installed %d KiB\n", deb, size
  printf "package-check: apt-get install %.1f s; to the first window %.1f s (program start %.1f s)\n", t1 - t0, t2 - t0, t2 - t1
}'
echo "package-check: passed"
