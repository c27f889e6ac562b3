#!/usr/bin/env bash
# Fails when the program, the rundll host or a library they load links libpulse, directly or through
# another library: only kova2-card serve may talk to the sound server.
# Usage: no_sound_server_links.sh <folder of the built programs>
set -u
bin=$1
status=0
for file in kova2mix rundll kova2.DRV libkova2_simcard.so libkova2_platform.so; do
    [ -e "$bin/$file" ] || { echo "FAILED: $bin/$file is missing"; status=1; continue; }
    if ldd "$bin/$file" | grep -q 'libpulse'; then
        echo "FAILED: $file links the sound server's library:"; ldd "$bin/$file" | grep libpulse; status=1
    fi
done
ldd "$bin/kova2-card" | grep -q 'libpulse' || { echo "FAILED: kova2-card does not link libpulse: is the check blind?"; status=1; }
[ $status -eq 0 ] && echo "PASSED: only kova2-card links libpulse"
exit $status
