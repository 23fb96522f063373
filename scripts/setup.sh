#!/usr/bin/env bash
# Installs every Debian package the build, the application and the tests need.
# Safe to run again: apt-get is called only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential g++ clang cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  libqt6opengl6-dev libgl-dev
  libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev libboost-math-dev
  libclang-rt-14-dev llvm
  xvfb xauth openbox libxcb1-dev libxcb-xtest0-dev fonts-liberation2 fonts-dejavu-core
  locales
  pspp r-base-core
  libqcustomplot-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, for the locale-independence tests.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf8$'; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *es_ES.UTF-8 UTF-8/es_ES.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
fi
