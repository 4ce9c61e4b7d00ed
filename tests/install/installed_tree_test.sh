#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and runs the installed programs:
# their versions, the language list of the installed language folder, an
# unknown option, and rq7-init started offscreen until it reports the
# installed English language file as the one in use.
# Arguments: BUILD_DIR DESTDIR PREFIX BINDIR DATADIR
set -euo pipefail
build=$1 destdir=$2 prefix=$3 bindir=$4 datadir=$5

rm -rf "$destdir"
DESTDIR="$destdir" cmake --install "$build" >/dev/null
root="$destdir$prefix"
bin="$root/$bindir"
lang="$root/$datadir/rq7-init/lang"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }

expect_eq "$("$bin/rq7ctl" --version)" "rq7ctl $version" "rq7ctl --version"
expect_eq "$("$bin/rq7-sim" --version)" "rq7-sim $version" "rq7-sim --version"
expect_eq "$("$bin/rq7-init" --version)" "rq7-init $version" "rq7-init --version"
"$bin/rq7-init" --help | grep -q -- "--version" || fail "rq7-init --help names no --version"
status=0
"$bin/rq7-init" --no-such-option 2>/dev/null || status=$?
expect_eq "$status" 2 "rq7-init --no-such-option status"

# The installed programs load the installed library, not the build's.
for program in rq7-init rq7ctl; do
  loaded=$(LD_TRACE_LOADED_OBJECTS=1 "$bin/$program" |
           sed -n 's/.*libLanguages\.so\.[0-9]* => \([^ ]*\).*/\1/p')
  case "$(realpath -m "$loaded")" in
    "$(realpath "$root")"/*) ;;
    *) fail "$program loads Languages from '$loaded', not from the installed tree" ;;
  esac
done

# Settings files are of the program's own type, which the desktop entry opens.
grep -qx 'MimeType=application/x-rq7-settings;' "$root/$datadir/applications/org.rq7.rq7init.desktop" ||
  fail "the desktop entry names no settings-file type"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$root/$datadir/mime"
  grep -q '^[0-9]*:application/x-rq7-settings:\*\.eep$' "$root/$datadir/mime/globs2" ||
    fail "the installed MIME database gives *.eep no type of its own"
fi

listing=$("$bin/rq7ctl" lang list "$lang")
grep -q "	English	$lang/english.lng\$" <<<"$listing" || fail "lang list: no English in: $listing"

# rq7-init with English as the saved choice (so no about window asks) and
# language logging on; it runs until it names the language file it uses.
home="$destdir/home"
mkdir -p "$home/config"
printf '[Options]\nLanguage=English\n' >"$home/config/RQ7 Init.conf"
log="$destdir/rq7-init.log"
HOME="$home" XDG_CONFIG_HOME="$home/config" QT_LOGGING_RULES="rq7.language.info=true" \
  "$bin/rq7-init" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
expected="language English from $lang/english.lng"
while ! grep -qF "$expected" "$log"; do
  kill -0 $pid 2>/dev/null || { cat "$log" >&2; fail "rq7-init ended before: $expected"; }
  sleep 0.2
done
grep -qF "language files in $lang" "$log" || { cat "$log" >&2; fail "no language folder line"; }
echo "installed tree under $root: programs, library and English language file in use"
