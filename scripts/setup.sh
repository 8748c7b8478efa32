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
  # Paradox tables of the older program for the tests of their reader (GPL: tests only)
  pxlib-dev
  # the height curves: Eigen's Levenberg-Marquardt (header-only, MPL-2)
  libeigen3-dev
  python3-openpyxl python3-xlrd libreoffice-calc-nogui
  # tests only: scipy's least squares, the independent fit the height curves are checked against
  python3-scipy
  # installing: icon rendering, desktop-entry and AppStream checks, the Debian package and lintian
  librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian
  # the help's screenshots (scripts/help-screenshots.sh): PNG optimiser; xvfb and xauth above;
  # xdotool drives a window under Xvfb when it is checked by hand
  optipng xdotool
  # the stand database: SQLite and libpq, which the two backends talk to directly; the server,
  # whose initdb/pg_ctl the tests run as a throwaway cluster; Qt's SQLite and PostgreSQL drivers
  # for the tests' own look at the tables
  libsqlite3-dev libpq-dev postgresql libqt6sql6-psql
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive "${install[@]}"
elif command -v sudo >/dev/null 2>&1; then
  # sudo resets the environment: the front end goes through env.
  sudo apt-get update
  sudo env DEBIAN_FRONTEND=noninteractive "${install[@]}"
else
  {
    echo "Chybí balíčky: ${missing[*]}"
    echo "Nainstalujte je jako root (sudo zde není):"
    echo "  su -c 'apt-get update && ${install[*]}'"
  } >&2
  exit 1
fi

