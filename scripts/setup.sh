#!/usr/bin/env bash
# Installs, idempotently, the Debian packages and npm sources the build and the
# test suite need. Packages already present are skipped; apt-get update runs at
# most once, and only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libjpeg62-turbo-dev libfreetype-dev libdrm-dev
  fonts-droid-fallback fonts-wqy-microhei
  nodejs npm
  procps psmisc
)

missing=()
for p in "${packages[@]}"; do
  # Some nodejs builds bring npm along instead of a package of its own.
  if [ "$p" = npm ] && command -v npm >/dev/null; then continue; fi
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Typefaces the font generator renders the GUI library's built-in fonts from
# (versions pinned in the lock file); the build itself needs no network. An
# install left by an older lock file is replaced.
fontgen="$(cd "$(dirname "$0")/.." && pwd)/tools/fontgen"
if ! (cd "$fontgen" && npm ls --offline >/dev/null 2>&1); then
  echo "setup: installing the font generator's typefaces"
  (cd "$fontgen" && npm ci --ignore-scripts --no-audit --no-fund)
fi
