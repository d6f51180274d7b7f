#!/usr/bin/env bash
# Runs the README's test command as a new user would: in a fresh Debian 12
# root that holds nothing but git, sudo and a clone of this repository's HEAD.
# Too slow for every CI run (minutes to make the root, then a whole build);
# run it whenever the packages that Calidor needs change. Needs root and
# mmdebstrap (apt-get install mmdebstrap).
#   scripts/fresh-machine.sh [folder]     (default /tmp/calidor-fresh)
# A root.tar already in the folder is reused; the root itself is made anew.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh: run it as root (chroot and mounts)" >&2; exit 1; }
command -v mmdebstrap >/dev/null || { echo "fresh-machine.sh: apt-get install mmdebstrap" >&2; exit 1; }

folder=$(realpath -m "${1:-/tmp/calidor-fresh}")
root=$folder/root
mkdir -p "$folder"
[ -s "$folder/root.tar" ] ||
  mmdebstrap --variant=apt --include=git,ca-certificates,sudo bookworm "$folder/root.tar"

unmount() {
  for mount in dev sys proc; do umount -R "$root/$mount" 2>/dev/null || true; done
}
trap unmount EXIT
unmount
rm -rf "$root"
mkdir -p "$root"
tar -xf "$folder/root.tar" -C "$root"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount -t sysfs sysfs "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q . "$root/root/calidor"

# The packages a new user's install-deps.sh adds to a machine with only git.
chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin bash -c \
  'apt-get update -qq && apt-get install --simulate --no-install-recommends \
     $(/root/calidor/scripts/install-deps.sh --list) | awk "\$1 == \"Inst\" { print \$2 }"' \
  >"$folder/added-packages.txt"
echo "install-deps.sh adds $(wc -l <"$folder/added-packages.txt") packages (list in $folder/added-packages.txt)"

start=$(date +%s)
chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
  bash -c 'cd /root/calidor && scripts/test.sh' 2>&1 | tee "$folder/test.log"
status=${PIPESTATUS[0]}
echo "scripts/test.sh in the fresh root: exit $status after $(($(date +%s) - start)) s"
exit "$status"
