#!/bin/sh
# check_velmora_man.sh PROGRAM PAGE -- every option velmora --help names (--word) appears in
# the rendered manual page velmora(1), as do its sections for the menus, the data folder,
# the files and the exit status
set -eu
program="$1"; page="$2"
bad() { echo "FAILED: $*" >&2; exit 1; }
text="$(MANWIDTH=100 man -l "$page" 2>/dev/null | col -b)" || bad "man -l $page"
[ -n "$text" ] || bad "$page renders empty"
opts="$(HOME=/nonexistent "$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
[ -n "$opts" ] || bad "velmora --help names no option"
for o in $opts; do
  printf '%s\n' "$text" | grep -q -- "$o" || bad "$o is in --help but not in velmora(1)"
done
for s in MENUS "DATA FOLDER" FILES "EXIT STATUS"; do
  printf '%s\n' "$text" | grep -q "^$s" || bad "velmora(1) has no section $s"
done
echo "velmora(1) names all $(echo $opts | wc -w) options of --help"
