#!/bin/sh
# check_install.sh BUILD VERSION -- install into a scratch prefix and use the tree from there:
# the programs run with no library path from another directory, the first start makes the
# user folder from the installed samples, the desktop entry validates, the manual pages render
set -eu
build="$1"; version="$2"
tmp="$(mktemp -d /tmp/velmora-install-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
bad() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log"; bad "cmake --install"; }
unset LD_LIBRARY_PATH
kin="$tmp/prefix/bin/velmora-kin"
samples="$tmp/prefix/share/velmora/data"
mkdir "$tmp/elsewhere" "$tmp/home"
cd "$tmp/elsewhere"
# the generated posture files and the placeholders stay out of the installed samples
[ -f "$samples/JConfig/Puma560.home" ] || bad "samples not installed"
[ -z "$(find "$samples" -name '.*' -o -name '*.Characteristic' -o -name '*.Maxreach')" ] ||
  bad "stray files among the samples"

[ "$("$kin" --version)" = "velmora-kin $version" ] || bad "velmora-kin --version"
out="$("$kin" --data "$samples" check Puma560 2>"$tmp/err")" ||
  { cat "$tmp/err"; bad "check Puma560"; }
[ "$out" = "ok 6 0" ] || bad "check Puma560 said '$out'"
rc=0; "$kin" --data "$tmp/nowhere" check Puma560 >/dev/null 2>"$tmp/err" || rc=$?
[ $rc -eq 3 ] && grep -q "Cannot use the data folder \`$tmp/nowhere'" "$tmp/err" ||
  bad "a missing --data folder: status $rc, $(cat "$tmp/err")"
rc=0; "$kin" --data >/dev/null 2>&1 || rc=$?
[ $rc -eq 2 ] || bad "--data without a folder: status $rc"

# first start: the user folder is made from the installed samples (reading a robot adds
# its posture files)
user="$tmp/home/.local/share/velmora"
HOME="$tmp/home" XDG_DATA_HOME="" "$kin" check Puma560 >/dev/null 2>&1 || bad "first start"
diff -r -x '*.Characteristic' -x '*.Maxreach' "$samples" "$user" >/dev/null ||
  bad "user folder differs from the samples"
HOME="$tmp/home" XDG_DATA_HOME="" "$kin" --help | grep -qx "data folder: $user (user folder)" ||
  bad "--help does not name the user folder"

desktop-file-validate "$tmp/prefix/share/applications/velmora.desktop" || bad "desktop entry"
grep -qx "Exec=velmora %f" "$tmp/prefix/share/applications/velmora.desktop" || bad "Exec line"
[ -s "$tmp/prefix/share/icons/hicolor/scalable/apps/velmora.svg" ] || bad "icon"
for page in velmora velmora-kin; do
  f="$tmp/prefix/share/man/man1/$page.1.gz"
  MANWIDTH=80 man --warnings -l "$f" >"$tmp/page" 2>"$tmp/warn" || bad "man -l $page"
  [ ! -s "$tmp/warn" ] || { cat "$tmp/warn"; bad "warnings in $page.1"; }
  grep -q -- "--data DIR" "$tmp/page" && grep -q "local/share/velmora" "$tmp/page" ||
    bad "$page.1 lacks the data folder"
done
echo "install tree ok"
