#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tool need, when any is missing.
set -euo pipefail
packages=(cmake g++ make python3 pkg-config zlib1g-dev libxml2-dev libxml2-utils
          libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev
          zip unzip p7zip-full mono-mcs mono-runtime
          clang libclang-rt-14-dev valgrind argyll chromium doxygen)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The Python module and its tests; the build leaves the module out when these are missing.
python_packages=(pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest python3-lxml)
missing=()
for p in "${python_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
    echo "deps: the Python packages did not install; the Python module is not built"
fi
