#!/bin/sh
# Installs the Debian packages that building and testing need, and only those that are missing.
# The one list of packages for `make run`, `make test` and CI.
set -eu

PACKAGES="
  g++
  clang
  libclang-rt-14-dev
  cmake
  ninja-build
  ccache
  pkg-config
  libgtest-dev
  libgmock-dev
  libcurl4-openssl-dev
  python3-pyftpdlib
  qt6-base-dev
  libgl-dev
  libharfbuzz-dev
  fonts-noto-cjk
  time
  ripgrep
  qt6-translations-l10n
  poppler-utils
  python3-pdfminer
  dpkg-dev
  lintian
  appstream
  man-db
  chromium-headless-shell
  libzip-dev
  epubcheck
  libgit2-dev
  git
"

missing=""
for pkg in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $pkg" ;;
  esac
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing" >&2
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
else
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# A fresh machine knows no package until the lists have been fetched.
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
