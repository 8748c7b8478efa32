#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Rivwood.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6charts6
  libqt6svg6 qt6-qpa-plugins libgl1-mesa-dev libxkbcommon-dev qt6-translations-l10n
  googletest libgtest-dev libgmock-dev
  clang libclang-rt-dev zlib1g-dev
  xvfb xauth imagemagick poppler-utils fonts-dejavu-core
  xdg-utils
  libzip-dev
  python3-openpyxl python3-xlrd libreoffice-calc-nogui
  # installing: icon rendering, desktop-entry and AppStream checks, the Debian package and lintian
  librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian
  # the help's screenshots (scripts/help-screenshots.sh): PNG optimiser; xvfb and xauth above
  optipng
  # the stand database: SQLite and libpq, which the two backends talk to directly; the server,
  # whose initdb/pg_ctl the tests run as a throwaway cluster; Qt's SQLite and PostgreSQL drivers
  # for the tests' own look at the tables
  libsqlite3-dev libpq-dev postgresql libqt6sql6-psql
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

