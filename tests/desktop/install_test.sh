#!/usr/bin/env bash
# cmake --install into a private prefix: the program with what it loads beside it, the menu and login
# entries naming the installed program, and the icon in every size the entries need.
# Usage: install_test.sh <build folder>
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1 || { cat "$prefix/install.log"; fail "cmake --install"; }

folder=$(dirname "$(readlink -f "$prefix/bin/kova2mix")")
[ -x "$folder/kova2mix" ] || fail "bin/kova2mix does not lead to the program"
for beside in rundll kova2.DRV onboard.DRV wavedrivers.list kova2-card; do
    [ -e "$folder/$beside" ] || fail "$beside is not installed beside the program"
done

for entry in "$prefix/share/applications/kova2mix.desktop" "$prefix/etc/xdg/autostart/kova2mix.desktop"; do
    [ -f "$entry" ] || fail "no entry $entry"
    grep -qx 'Type=Application' "$entry" || fail "$entry is not an application entry"
    grep -qx 'Name=Kova 2 Manager' "$entry" || fail "$entry has no name"
    exec_line=$(grep '^Exec=' "$entry")
    [ "$exec_line" = "Exec=$folder/kova2mix" ] || fail "$entry starts '$exec_line', not the installed program"
    grep -qx 'Icon=kova2mix' "$entry" || fail "$entry names another icon"
done
for size in 16 22 32 48; do
    [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/kova2mix.png" ] || fail "no ${size} px icon"
done

unit="$prefix/lib/systemd/user/kova2-card.service"
[ -f "$unit" ] || fail "no systemd user unit $unit"
grep -qx "ExecStart=$folder/kova2-card serve" "$unit" || fail "$unit starts $(grep '^ExecStart=' "$unit")"
grep -qx 'Restart=on-failure' "$unit" || fail "$unit is not restarted on failure"
[ "$(readlink "$prefix/lib/systemd/user/default.target.wants/kova2-card.service")" = ../kova2-card.service ] ||
    fail "the unit is not started at login"

# The installed tools find their libraries beside them, wherever the prefix is.
KOVA2_HOME="$prefix/home" "$prefix/bin/kova2-card" show >"$prefix/card.log" 2>&1 || { cat "$prefix/card.log"; fail "the installed admin tool does not run"; }
echo "PASSED: installed into $prefix"
