#!/usr/bin/env bash
# Checks the Debian package as a user's system meets it: unpacked into a temporary folder, its
# programs start from there on the system's libraries alone; the desktop entry, file type,
# icons, metainfo and manual pages it holds refer to one another and to programs it holds; its
# changelog, metainfo and programs name its version; and, where installed, desktop-file-validate,
# appstreamcli and lintian find no error and lintian finds the hardening flags (its warnings and
# notes are printed).
#   packaging/check_package.sh FILE.deb       checks that package
#   packaging/check_package.sh --build DIR    first makes the package of build folder DIR with
#                                             cpack, in the temporary folder
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/orvo-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package: $*" >&2
  exit 1
}

if [ "${1:-}" = --build ]; then
  if ! cpack --config "$2/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack failed"
  fi
  debs=("$work"/out/*.deb)
  [ ${#debs[@]} -eq 1 ] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
  deb=${debs[0]}
else
  deb=${1:?usage: check_package.sh FILE.deb | --build BUILD_DIR}
fi

version=$(dpkg-deb -f "$deb" Version)
expected=orvo_${version}_$(dpkg --print-architecture).deb
[ "$(basename "$deb")" = "$expected" ] || fail "$(basename "$deb") is not named $expected"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

# The programs start from the unpacked folder without LD_LIBRARY_PATH; the window with a
# settings folder of its own, so the user's stays untouched.
env -u LD_LIBRARY_PATH "$root/usr/bin/orvo-cli" --help >"$work/help.txt" ||
  fail "orvo-cli --help failed"
grep -q '^usage: orvo-cli ' "$work/help.txt" || fail "orvo-cli --help printed no usage"
# orvo-cli's report and ports verbs run the package's orvo-cli-report and orvo-cli-ports.
env -u LD_LIBRARY_PATH "$root/usr/bin/orvo-cli" new "$work/new.sin" &&
  env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/orvo-cli" report \
    "$work/new.sin" "$work/new.pdf" && [ -s "$work/new.pdf" ] || fail "orvo-cli report drew no PDF"
env -u LD_LIBRARY_PATH "$root/usr/bin/orvo-cli" ports | grep -q '^COM1  ' ||
  fail "orvo-cli ports listed no COM1"
env -u LD_LIBRARY_PATH "$root/usr/bin/orvo-radio-sim" --help >/dev/null ||
  fail "orvo-radio-sim --help failed"
# Each program names the package's version; the window's answers --help and --version without
# a display.
for program in orvo orvo-cli orvo-radio-sim; do
  said=$(env -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$said" = "$program $version" ] || fail "$program --version says '$said', the package $version"
done
env -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/orvo" \
  --help | grep -q '^usage: orvo ' || fail "orvo --help printed no usage without a display"
shown=$(env -u LD_LIBRARY_PATH HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
  QT_QPA_PLATFORM=offscreen ORVO_EXIT_AFTER_SHOW=1 "$root/usr/bin/orvo" 2>"$work/orvo.log") ||
  { cat "$work/orvo.log" >&2; fail "orvo did not start"; }
[[ $shown == shown* ]] || fail "orvo did not show its window"

# What the desktop entry names is in the package: its program, its icon, and for each of its
# file types a definition with an icon.
desktop=$share/applications/orvo.desktop
[ -f "$desktop" ] || fail "no desktop entry in /usr/share/applications"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Name)" = "Orvo Programming Software" ] || fail "the menu entry reads '$(entry Name)'"
# A Chinese desktop shows the entry and the file type in Chinese.
for key in Name Comment; do
  [ -n "$(entry "$key\\[zh_CN\\]")" ] || fail "the desktop entry has no $key[zh_CN]"
done
exec_program=$(entry Exec | cut -d' ' -f1)
[ -x "$root/usr/bin/$exec_program" ] || fail "the desktop entry starts $exec_program, not in /usr/bin"
icon=$(entry Icon)
compgen -G "$share/icons/hicolor/*/apps/$icon.png" >/dev/null || fail "no hicolor icon $icon"
IFS=';' read -ra mime_types <<<"$(entry MimeType)"
[ ${#mime_types[@]} -gt 0 ] || fail "the desktop entry opens no file type"
for type in "${mime_types[@]}"; do
  definition=$(grep -l "<mime-type type=\"$type\"" "$share"/mime/packages/*.xml 2>/dev/null) ||
    fail "no definition of $type in /usr/share/mime/packages"
  grep -q '<comment xml:lang="zh_CN">' "$definition" || fail "$type has no Chinese comment"
  type_icon=$(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$definition")
  compgen -G "$share/icons/hicolor/*/mimetypes/${type_icon:-none}.png" >/dev/null ||
    fail "no hicolor icon '$type_icon' for $type"
done

# The metainfo launches that entry, provides programs that are there, and names this release.
metainfos=("$share"/metainfo/*.metainfo.xml)
[ -f "${metainfos[0]}" ] || fail "no AppStream metainfo in /usr/share/metainfo"
metainfo=${metainfos[0]}
grep -q '<launchable type="desktop-id">orvo.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch orvo.desktop"
grep -q '<name xml:lang="zh-CN">' "$metainfo" || fail "the metainfo has no Chinese name"
for program in $(sed -n 's/.*<binary>\([^<]*\)<.*/\1/p' "$metainfo"); do
  [ -x "$root/usr/bin/$program" ] || fail "the metainfo provides $program, not in /usr/bin"
done
release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "the metainfo's newest release is $release, the package $version"

# Each program has its manual page; the changelog's newest entry is this version.
for program in "$root"/usr/bin/*; do
  [ -f "$share/man/man1/$(basename "$program").1.gz" ] ||
    fail "no manual page for $(basename "$program")"
done
[ -f "$share/doc/orvo/copyright" ] || fail "no /usr/share/doc/orvo/copyright"
newest=$(zcat "$share/doc/orvo/changelog.gz" | head -n1)
[[ $newest == "orvo ($version) "* ]] || fail "the changelog's newest entry is '$newest', the package $version"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate found errors"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --no-color "$metainfo" >"$work/appstream.txt" ||
    { cat "$work/appstream.txt" >&2; fail "appstreamcli found faults in the metainfo"; }
fi
if command -v lintian >/dev/null; then
  lintian --display-info --fail-on error "$deb" \
    2> >(grep -v 'running with root privileges' >&2) >"$work/lintian.txt" ||
    { cat "$work/lintian.txt"; fail "lintian found errors"; }
  cat "$work/lintian.txt"
  # The programs are built with the distribution's hardening flags.
  ! grep -q -E 'hardening-no-(fortify-functions|bindnow|relro)' "$work/lintian.txt" ||
    fail "lintian finds programs built without the hardening flags"
fi
echo "package: $(basename "$deb") checked"
