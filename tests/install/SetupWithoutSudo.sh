#!/usr/bin/env bash
# scripts/setup.sh run by an ordinary user on a system without sudo: it names the missing packages
# and the command that installs them, and exits 1 without running apt-get.
#   bash SetupWithoutSudo.sh <path of setup.sh>
set -euo pipefail
setup=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
for tool in bash grep; do
  ln -s "$(command -v "$tool")" "$fake/$tool"
done
printf '#!/bin/sh\necho 1000\n' >"$fake/id"
# Every package is installed except cmake.
printf '#!/bin/sh\n[ "$3" = cmake ] || printf "install ok installed"\n' >"$fake/dpkg-query"
printf '#!/bin/sh\necho "apt-get was run" >&2\nexit 99\n' >"$fake/apt-get"
chmod +x "$fake/id" "$fake/dpkg-query" "$fake/apt-get"
if out=$(PATH=$fake bash "$setup" 2>&1); then
  echo "setup.sh succeeded without sudo: $out"
  exit 1
fi
if ! grep -q 'Chybí balíčky: cmake$' <<<"$out" || ! grep -q 'apt-get install -y --no-install-recommends cmake' <<<"$out" ||
  grep -q 'apt-get was run\|command not found' <<<"$out"; then
  echo "unexpected output: $out"
  exit 1
fi
