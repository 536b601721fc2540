#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need.
# Only missing packages are fetched, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libpixman-1-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core libpng-dev
  libsdl2-dev libcairo2-dev
  libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool xclip
  # The Wayland end-to-end test: a compositor nested in Xvfb, and the
  # decorations SDL draws on compositors that leave them to the client.
  weston libdecor-0-plugin-1-cairo
)
# Nice to have: builds go faster with it, nothing fails without it.
optional=(ccache)

missing=()
for p in "${packages[@]}" "${optional[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  # Retry without the optional packages: their absence must never stop a build.
  required=()
  for p in "${missing[@]}"; do
    [[ " ${optional[*]} " == *" $p "* ]] || required+=("$p")
  done
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${required[@]}"
fi
