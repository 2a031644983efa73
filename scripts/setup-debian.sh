#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Safe to run again; it skips apt when everything is already there.
# Extra package names given as arguments are installed too (the fuzz and
# memcheck scripts ask for theirs).
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
      libpugixml-dev qt6-base-dev libgl-dev xvfb xauth fonts-noto-cjk socat "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
