#!/usr/bin/env bash
# cpack -G DEB: the package holds the program with what it loads beside it under /usr/lib/kova2, the
# commands in /usr/bin, the menu and login entries naming the installed program, the icons, and
# declares the libraries it needs; unpacked, the admin tool runs. Skipped (77) without dpkg-deb.
# Usage: package_test.sh <build folder>
set -u
build=$1
command -v dpkg-deb >/dev/null && command -v cpack >/dev/null || { echo "SKIPPED: no dpkg-deb or cpack"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$work"/out/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package made"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kova2mix ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 libpulse0 fonts-liberation; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q 'kova2' <<<"$depends" && fail "Depends names the package's own libraries: $depends"

dpkg-deb -x "$deb" "$work/root"
folder="$work/root/usr/lib/kova2"
for file in kova2mix kova2-card rundll kova2.DRV onboard.DRV wavedrivers.list libkova2_platform.so libkova2_simcard.so; do
    [ -e "$folder/$file" ] || fail "/usr/lib/kova2/$file is not in the package"
done
for program in kova2mix kova2-card; do
    [ "$(readlink "$work/root/usr/bin/$program")" = "../lib/kova2/$program" ] || fail "/usr/bin/$program does not lead to the program"
done
for entry in usr/share/applications/kova2mix.desktop etc/xdg/autostart/kova2mix.desktop; do
    [ -f "$work/root/$entry" ] || fail "no /$entry"
    grep -qx 'Exec=/usr/lib/kova2/kova2mix' "$work/root/$entry" || fail "/$entry starts $(grep '^Exec=' "$work/root/$entry")"
done
unit="$work/root/usr/lib/systemd/user/kova2-card.service"
[ -f "$unit" ] || fail "no /usr/lib/systemd/user/kova2-card.service"
grep -qx 'ExecStart=/usr/lib/kova2/kova2-card serve' "$unit" || fail "the unit starts $(grep '^ExecStart=' "$unit")"
[ "$(readlink "$work/root/usr/lib/systemd/user/default.target.wants/kova2-card.service")" = ../kova2-card.service ] ||
    fail "the unit is not started at login"
for size in 16 22 32 48; do
    [ -s "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/kova2mix.png" ] || fail "no ${size} px icon"
done
if dpkg-deb -c "$deb" | grep -v ' \./usr/\| \./etc/xdg/autostart/\| \./etc/xdg/$\| \./etc/$\| \./$'; then
    fail "files outside /usr and the autostart folder"
fi

KOVA2_HOME="$work/home" "$folder/kova2-card" show >"$work/card.log" 2>&1 || { cat "$work/card.log"; fail "the unpacked admin tool does not run"; }
echo "PASSED: $(basename "$deb")"
