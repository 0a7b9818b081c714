#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from a release build, checked by lintian,
# installed with dpkg into a private root with a dpkg database of its own (so that the running
# system stays as it was), its programs run on an installed example, its manual pages rendered and
# compared with what the programs accept and print, its metainfo and desktop entry validated, its
# files compared with what `cmake --install` installs, and removed again.
# Usage: package_test.sh BUILD_DIR VERSION CPACK CMAKE BUILT_QUILLMAP_CLI
# Exits 77 (skipped) when a packaging tool is missing; scripts/install-deps.sh installs them all.
set -euo pipefail
build=$1
version=$2
cpack=$3
cmake=$4
built_cli=$5
export LC_ALL=C.UTF-8
export PATH="$PATH:/usr/sbin:/sbin"  # dpkg wants ldconfig and start-stop-daemon on the PATH

for tool in dpkg dpkg-deb dpkg-shlibdeps file man lintian appstreamcli desktop-file-validate; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The package, named the Debian way, with Depends that dpkg-shlibdeps computed from the programs.
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/quillmap_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work/out"; fail "no $(basename "$deb")"; }
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *"libc6 (>= "* && $depends == *"libqt6widgets6 (>= "* ]] ||
  fail "Depends are not those of the programs' libraries"

# No errors; the warnings that remain are printed.
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v "running with root" |
  tee "$work/lintian.log" || true
! grep -q "^E: " "$work/lintian.log" || fail "lintian reports errors"

# Installed into the private root. Nothing of the system is there, so dependencies cannot be
# checked; man pages and documentation are kept even where dpkg is set up to drop them.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
in_root() { dpkg --root="$root" --log="$work/dpkg.log" --force-not-root "$@"; }
in_root --force-depends --path-include='/usr/share/man/*' --path-include='/usr/share/doc/*' \
  -i "$deb" >"$work/dpkg.out" 2>&1 || { cat "$work/dpkg.out"; fail "dpkg -i"; }
[ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' quillmap)" = \
  "install ok installed" ] || fail "quillmap is not installed in the private root"

# The installed programs. The desktop program answers --version without a display.
bin=$root/usr/bin
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/quillmap" --version)" = "quillmap $version" ] ||
  fail "quillmap --version"
[ "$("$bin/quillmap-cli" --version)" = "quillmap-cli $version" ] || fail "quillmap-cli --version"
[ -x "$bin/quillmap-clipboard" ] || fail "no quillmap-clipboard beside quillmap"
example=$root/usr/share/doc/quillmap/examples/treatment.wk1
"$bin/quillmap-cli" plot --error-bar sd -o "$work/installed.emf" "$example" ||
  fail "the installed quillmap-cli cannot plot an installed example"
"$built_cli" plot --error-bar sd -o "$work/built.emf" "$example"
cmp "$work/installed.emf" "$work/built.emf" || fail "the installed program draws other bytes"

# The manual pages render without a warning.
for page in quillmap quillmap-cli quillmap-clipboard; do
  file=$root/usr/share/man/man1/$page.1.gz
  [ -f "$file" ] || fail "no $page(1)"
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
  MANWIDTH=80 man -l "$file" 2>/dev/null | sed 's/.\x08//g' >"$work/$page.txt"
  grep -q "quillmap $version\|Quillmap $version" "$work/$page.txt" || fail "$page(1): no version"
done

# quillmap-cli(1) names every command, option and option word the program's help lists, every
# field of its JSON and every kind of trace line, and the exit statuses.
page=$work/quillmap-cli.txt
help=$("$bin/quillmap-cli" --help; for c in grid stats plot; do "$bin/quillmap-cli" $c --help; done)
documented() { grep -qF -- "$1" "$page" || fail "quillmap-cli(1) does not document $1"; }
for command in grid stats plot; do documented "quillmap-cli $command"; done
for option in $(grep -oE -- '(^|[ ,])--?[a-z][a-z0-9-]*' <<<"$help" | tr -d ' ,' | sort -u); do
  documented "$option"
done
for word in $(grep -oE '\{[a-z,-]+\}' <<<"$help" | tr -d '{}' | tr ',' '\n' | sort -u); do
  documented "$word"
done
json=$("$bin/quillmap-cli" grid "$example"; "$bin/quillmap-cli" stats --split paired \
  "$root/usr/share/doc/quillmap/examples/split.wk1")
for key in $(grep -oE '"[A-Za-z0-9]+":' <<<"$json" | tr -d '":' | sort -u); do documented "$key"; done
for kind in $({ "$bin/quillmap-cli" plot --ops - --connect --error-bar boxplot "$example"
  "$bin/quillmap-cli" plot --ops - --tests --split non-paired \
    "$root/usr/share/doc/quillmap/examples/cytokines.tsv" 2>/dev/null; } | cut -d' ' -f1 | sort -u); do
  documented "$kind"
done
for section in "INPUT FORMATS" "JSON OUTPUT" "TRACE FORMAT" "EXIT STATUS"; do documented "$section"; done

# What software centres and menus read.
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.quillmap.metainfo.xml" ||
  fail "metainfo"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.quillmap.metainfo.xml" ||
  fail "the metainfo names another release"
desktop-file-validate "$root/usr/share/applications/quillmap.desktop" || fail "desktop entry"

# `cmake --install` installs the files the package holds, no more and no fewer.
"$cmake" --install "$build" --prefix "$work/install" >/dev/null
diff <(cd "$work/install" && find . ! -type d | sed 's|^\./||' | sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort) ||
  fail "cmake --install and the package hold other files"

# Removed, the package leaves nothing behind.
in_root -r quillmap >"$work/dpkg.out" 2>&1 || { cat "$work/dpkg.out"; fail "dpkg -r"; }
left=$(find "$root" -path "$root/var" -prune -o ! -type d -print)
[ -z "$left" ] || fail "left after dpkg -r: $left"
echo "$(basename "$deb"): built, installed, run and removed;" \
  "lintian: $(grep -c "^W: " "$work/lintian.log") warnings, no errors"
