#!/usr/bin/env bash
# Runs a test program with a 1 MiB tmpfs mapped as a Wine drive, whose root it names in
# CORVANI_FULL_DISK, so saves can meet a full disk. The mount and the drive go again whatever
# the test does. Needs root and the environment of scripts/with-wine-env.sh.
set -euo pipefail
[ -n "${WINEPREFIX:-}" ] || { echo "with-full-disk: run through scripts/with-wine-env.sh" >&2; exit 1; }
mount_dir=$(mktemp -d /tmp/corvani-full-disk.XXXXXX)
drive=""
cleanup() {
  [ -n "$drive" ] && rm -f "$WINEPREFIX/dosdevices/$drive:"
  if mountpoint -q "$mount_dir"; then umount "$mount_dir" || umount -l "$mount_dir"; fi
  rmdir "$mount_dir"
}
trap cleanup EXIT
for letter in q r s t u v w x y; do
  if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ]; then drive=$letter; break; fi
done
[ -n "$drive" ] || { echo "with-full-disk: no free drive letter" >&2; exit 1; }
mount -t tmpfs -o size=1m,mode=0777 tmpfs "$mount_dir"
ln -s "$mount_dir" "$WINEPREFIX/dosdevices/$drive:"
CORVANI_FULL_DISK="${drive^^}:\\" "$(dirname "$0")/../support/wine-run.sh" "$@"
