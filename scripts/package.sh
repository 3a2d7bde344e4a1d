#!/usr/bin/env bash
# Builds the Debian package dist/vxprog_<version>_<arch>.deb with Debian's
# hardening flags, then checks it as the package test does: control data,
# contents, the unpacked programs, identify against the emulator, and
# lintian, appstreamcli and desktop-file-validate.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build package

# The flags dpkg-buildpackage would give a package built on this machine.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-package -j "$(nproc 2>/dev/null || echo 2)" \
  --target vxprog vxprog-cli radio-emulator vx_manpages vx_changelog
version=$(build-package/cli/vxprog-cli --version | awk '{print $2}')
bash tests/packaging/tst_package.sh build-package build-package/emulator/radio-emulator "$version" dist
