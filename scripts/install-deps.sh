#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test,
# and the packages named as arguments (what one script alone needs, such as
# the packaging tools). Safe to run again: apt-get skips what is already
# installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git
  qt6-base-dev qt6-base-dev-tools
  qt6-webengine-dev qt6-webengine-dev-tools
  qt6-httpserver-dev qt6-websockets-dev
  libqt6webenginecore6-bin
  libhunspell-dev hunspell-en-us
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  xvfb xauth
  fonts-dejavu-core
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  # Another installation running at the same time is waited for, not failed on.
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
  $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
fi

# The Roundcube lab's packages, for the end-to-end tests against a real
# webmail (its script preseeds them so they configure no system services).
if [ "${FERROWEN_SKIP_ROUNDCUBE:-}" != 1 ]; then
  bash "$(dirname "$0")/roundcube-lab.sh" install
fi
