#!/usr/bin/env bash
# Builds the Debian package, ferrowen_<version>_<arch>.deb, with CPack:
#   bash scripts/package.sh
# It builds in a folder of its own (FERROWEN_PACKAGE_BUILD_DIR, default
# build-package/) with Debian's hardening flags, for the prefix /usr, without
# tests or benchmarks, and prints the package's path as its last line. The
# version is the one in project() of CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_PACKAGE_BUILD_DIR:-$root/build-package}"

# dpkg-shlibdeps computes the dependencies; CPack finds the binaries with file.
bash "$root/scripts/install-deps.sh" dpkg-dev file

cd "$root"
# Debian's hardening; without the flags that map the checkout's path, so the
# compiler cache serves a build from any checkout.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DFERROWEN_BUILD_TESTS=OFF \
  -DFERROWEN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

rm -f "$build"/ferrowen_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/ferrowen_*.deb)
echo "package: $(du -k "$deb" | cut -f1) KiB, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "$deb"
