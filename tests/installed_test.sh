#!/usr/bin/env bash
# An installed Brivant in a scratch root: its files lie where a desktop looks for them and
# pass the checks of menus and software centres, and the installed program, started in a
# real X window from a folder without pictures, shows every picture it opens (no
# placeholder warning) at 1x, 2x and 3x.
#
#   installed_test.sh --install BUILD_DIR   # cmake --install into the scratch root
#   installed_test.sh --deb PACKAGE.deb     # the Debian package, unpacked with dpkg -x
set -euo pipefail
mode=${1:?usage: installed_test.sh --install BUILD_DIR | --deb PACKAGE.deb}
source=${2:?usage: installed_test.sh --install BUILD_DIR | --deb PACKAGE.deb}
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "installed: $*"; exit 1; }

case "$mode" in
--install)
  cmake --install "$source" --prefix "$work/root/usr" >/dev/null ;;
--deb)
  depends=$(dpkg-deb --field "$source" Depends)
  echo "installed: Depends: $depends"
  for package in libqt6widgets6 libqt6gui6 libc6 fonts-liberation; do
    [[ "$depends" == *"$package"* ]] || fail "the package does not depend on $package"
  done
  dpkg -x "$source" "$work/root" ;;
*) fail "unknown mode $mode" ;;
esac

usr="$work/root/usr"
[ -x "$usr/bin/brivant" ] || fail "no program in bin"
entry="$usr/share/applications/org.brivant.Brivant.desktop"
grep -qx 'Exec=brivant' "$entry" || fail "no desktop entry"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
# Also finds the metainfo's launchable entry in the tree.
appstreamcli validate-tree --no-net "$work/root" || fail "the metainfo does not validate"
for file in metainfo/org.brivant.Brivant.metainfo.xml man/man1/brivant.1.gz doc/brivant/copyright; do
  [ -s "$usr/share/$file" ] || fail "$file is not installed"
done
for size in 64 128; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/brivant.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "no ${size}px icon"
done
for file in {Title,TopMenu,report1,report2,edit,Setup,Transfer,FAQ1,FAQ2,about,meter{0..8}}{,@2x,@3x}.jpg; do
  [ -s "$usr/share/brivant/pictures/$file" ] || fail "picture $file is not installed"
done

disp=90
while [ -e "/tmp/.X${disp}-lock" ]; do disp=$((disp + 1)); done
# No reset as the last client leaves: the program connecting just after a probe is refused.
Xvfb ":$disp" -screen 0 1024x1600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$disp" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime" "$work/empty"
# Waits for a condition, with the patience a busy machine needs (two minutes).
until_ok() {
  local _
  for _ in $(seq 1200); do "$@" && return 0; sleep 0.1; done
  return 1
}
until_ok xdpyinfo >/dev/null 2>&1 || fail "the X server never answered"

# Starts the installed program by a command expected to show it at a scale, ends the About
# screen, opens the Food status page and switches it off; every click lands on window pixels
# times the scale.
run() {
  local scale=$1 log="$work/stderr$1"
  shift
  (cd "$work/empty" && PATH="$usr/bin:$PATH" QT_QPA_PLATFORM=xcb exec "$@") 2>"$log" &
  app=$!
  local wid
  wid=$(timeout 120 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
  [ -n "$wid" ] || fail "the window never mapped at scale $scale"
  local size
  size=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
  [ "$size" = "$((335 * scale))x$((512 * scale))" ] || fail "window $size at scale $scale"
  for point in 172,246 89,110 16,448; do
    xdotool mousemove --window "$wid" $((${point%,*} * scale)) $((${point#*,} * scale)) click 1
  done
  until_ok eval '! kill -0 "$app" 2>/dev/null' || fail "the power button did not close the program"
  wait "$app" || fail "the program failed at scale $scale"
  if grep -q 'brivant: picture' "$log"; then cat "$log"; fail "pictures not found at scale $scale"; fi
  echo "installed: scale $scale, window $size, every picture found"
}
unset QT_SCALE_FACTOR
run 1 brivant
# The menu entry's action for a larger organiser, as a menu runs it.
action=$(sed -n '/^\[Desktop Action large\]/,/^\[/s/^Exec=//p' "$entry")
[ -n "$action" ] || fail "the desktop entry offers no larger organiser"
# shellcheck disable=SC2086 # the command line's words, as the menu splits them
run 2 $action
run 3 env QT_SCALE_FACTOR=3 brivant
echo "installed: 1 passed, 0 failed"
