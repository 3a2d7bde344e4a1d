#!/usr/bin/env bash
# Builds the Debian package from a finished build tree, checks that its
# control data and contents are complete, unpacks it and runs the unpacked
# programs: --version of both, and vxprog-cli identify against the emulator.
# The udev rule for programming cables is checked for its form;
# lintian, appstreamcli, desktop-file-validate and udevadm verify run where
# installed.
# Usage: tst_package.sh BUILD_DIR RADIO_EMULATOR VERSION [OUT_DIR]
# The package is made in a temporary folder, or kept in OUT_DIR when given.
# Exit 77 (skipped) where the Debian tools are missing.
set -euo pipefail
build=$1 emulator=$2 version=$3 out=${4:-}

for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
emu=
cleanup() {
  [ -n "$emu" ] && kill "$emu" 2>/dev/null && wait "$emu" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

out=${out:-$tmp/out}
deb="$out/vxprog_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
[ -f "$deb" ] || { ls "$out" >&2; fail "no $(basename "$deb")"; }

# Control data.
info=$(dpkg-deb --info "$deb")
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vxprog ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = hamradio ] || fail "Section: $(field Section)"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6serialport6 libqt6core6 libyaml-cpp libstdc++6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -q "dialout" <<<"$info" || fail "the description does not mention the dialout group"
grep -q "udev rule" <<<"$info" || fail "the description does not mention the udev rule"

# Contents.
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in \
    ./usr/bin/vxprog ./usr/bin/vxprog-cli \
    ./usr/share/applications/org.vxprog.vxprog.desktop \
    ./usr/share/icons/hicolor/scalable/apps/vxprog.svg \
    ./usr/share/metainfo/org.vxprog.vxprog.metainfo.xml \
    ./usr/share/man/man1/vxprog.1.gz ./usr/share/man/man1/vxprog-cli.1.gz \
    ./usr/share/doc/vxprog/copyright ./usr/share/doc/vxprog/changelog.gz \
    ./usr/lib/udev/rules.d/60-vxprog-cables.rules; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
bin="$root/usr/bin"

# The udev rule: every line a comment or a uaccess rule for one USB-serial
# chip, and udev's own check where this udev has one.
rules="$root/usr/lib/udev/rules.d/60-vxprog-cables.rules"
grep -q 'ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523", TAG+="uaccess"' "$rules" || fail "the udev rule lacks the CH340"
grep -vE '^(#.*|SUBSYSTEM=="tty", ATTRS\{idVendor\}=="[0-9a-f]{4}", ATTRS\{idProduct\}=="[0-9a-f]{4}", TAG\+="uaccess")?$' "$rules" \
  && fail "the udev rule has a line of another form"
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$rules" || fail "udevadm verify"
fi

# The one version, from both programs.
[ "$("$bin/vxprog-cli" --version)" = "vxprog-cli $version" ] || fail "vxprog-cli --version: $("$bin/vxprog-cli" --version)"
[ "$("$bin/vxprog" --version)" = "vxprog $version" ] || fail "vxprog --version: $("$bin/vxprog" --version)"
grep -q "release version=\"$version\"" "$root/usr/share/metainfo/org.vxprog.vxprog.metainfo.xml" \
  || fail "the metainfo names another release"
zcat "$root/usr/share/doc/vxprog/changelog.gz" | head -1 | grep -qF "vxprog ($version)" \
  || fail "the changelog names another version"

# The manual page holds every command's own help.
page=$(zcat "$root/usr/share/man/man1/vxprog-cli.1.gz")
grep -q '^\.SH "COMMAND DETAILS"' <<<"$page" || fail "vxprog-cli.1 has no COMMAND DETAILS"
for command in identify read write verify show export-csv import-csv export-conf apply-conf diff conf-reference ports; do
  grep -qx "\.SS $command" <<<"$page" || fail "vxprog-cli.1 lacks the command $command"
done
grep -q -- 'dry\\-run' <<<"$page" || fail "vxprog-cli.1 lacks write's --dry-run"
grep -q "$version" <<<"$page" || fail "vxprog-cli.1 names another version"

# The unpacked command line talks to a radio.
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$emulator" --port 5 --no-wire-time >"$tmp/emulator.log" 2>&1 &
emu=$!
for _ in $(seq 100); do
  [ -L "$XDG_RUNTIME_DIR/vxprog/com5" ] && break
  kill -0 "$emu" 2>/dev/null || { cat "$tmp/emulator.log" >&2; fail "the emulator stopped"; }
  sleep 0.05
done
identity=$("$bin/vxprog-cli" identify --port 5) || fail "identify failed: $identity"
grep -q "EMU-01" <<<"$identity" || fail "identify did not report the emulator: $identity"

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.vxprog.vxprog.metainfo.xml" \
    || fail "appstreamcli validate"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/org.vxprog.vxprog.desktop" | grep -v ': hint: ' | grep . \
    && fail "desktop-file-validate"
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian reports errors"
fi
echo "PASS: $deb"
