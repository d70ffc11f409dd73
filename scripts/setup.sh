#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root, or with sudo), then configures
# and builds into the folder given as the first argument. Further arguments go to CMake.
set -euo pipefail
build_dir=${1:-build}
shift || true

packages=(cmake ninja-build g++ qt6-base-dev libqt6opengl6-dev qt6-image-formats-plugins
          libgtest-dev libbenchmark-dev xvfb xauth libgl1-mesa-dri fonts-liberation locales
          python3-ezdxf gdal-bin librecad poppler-utils qt6-translations-l10n
          libxcb1-dev at-spi2-core openbox metacity icewm xfwm4 xfce4-panel dbus-daemon xdotool weston qt6-wayland x11-utils x11-xserver-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The conversion tests run under a locale that writes numbers with a decimal comma.
if ! locale -a | grep -qx 'it_IT\.utf8'; then
    $sudo_cmd sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^it_IT\.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    $sudo_cmd locale-gen
fi

cmake -S "$(dirname "$0")/.." -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
