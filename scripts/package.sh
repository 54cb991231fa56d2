#!/usr/bin/env bash
# Builds a Release tree of Quorvel in build-package/ (without tests or
# benchmarks, proving that neither GoogleTest nor Google Benchmark is needed)
# and writes the Debian package with CPack. Prints the package's path last.
#
#   scripts/package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

# Debian's hardening flags (relro and bindnow, fortify, stack protector).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DBUILD_TESTING=OFF -DQUORVEL_BENCH=OFF -DQUORVEL_SANITIZE=OFF -DQUORVEL_FUZZ=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON --no-warn-unused-cli >/dev/null
cmake --build "$build" -j"$(nproc)"

# The changelog and the metainfo must describe the version being packaged.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
changelog=$(dpkg-parsechangelog -l packaging/changelog -S Version)
metainfo=$(grep -o -m1 '<release version="[^"]*"' packaging/example.dravenor.Quorvel.metainfo.xml | cut -d'"' -f2)
if [[ $changelog != "$version" || $metainfo != "$version" ]]; then
  echo "package.sh: the project is $version but packaging/changelog's last entry is $changelog" \
       "and the metainfo's last release is $metainfo" >&2
  exit 1
fi

rm -rf "$build/packages"
(cd "$build" && cpack -G DEB --config CPackConfig.cmake) >&2
deb=$build/packages/quorvel_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "package.sh: $deb was not written" >&2; exit 1; }
echo "$PWD/$deb"
