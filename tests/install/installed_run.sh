#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, makes the installed tree
# read-only and runs the installed program as a user would: offscreen, with
# its own HOME and XDG_CONFIG_HOME, ending through its ordinary exit.
# Usage: installed_run.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
root=$work/root
exe=$root/usr/bin/Yomari
[ -x "$exe" ] || fail "no installed executable"
# No run path, installed or built: the program's own code links statically and
# Qt is the system's, and an empty entry makes the loader look for every
# library in the current folder first.
for f in "$exe" "$root/usr/bin/yomari-cli" "$build/bin/Yomari" "$build/bin/yomari-cli"; do
  if readelf -d "$f" | grep -q 'RPATH\|RUNPATH'; then
    fail "$f has a run path: $(readelf -d "$f" | grep 'RPATH\|RUNPATH')"
  fi
done
for f in Yomari.dan Yomari.das Yomari.daj Yomari.dad Yomari.dal Yomari.dae Yomari.hlp; do
  [ -f "$root/usr/share/yomari/$f" ] || fail "$f not installed in share/yomari"
done
# The command-line converter finds the installed data from bin/.
answer=$(XDG_DATA_HOME="$work/no-user-data" "$root/usr/bin/yomari-cli" 2019-04-30 平成元年 1582-06-21) ||
  fail "installed yomari-cli failed"
[ "$answer" = "$(printf '平成31年4月30日\n1989\n天正10年6月2日')" ] || fail "installed yomari-cli answered: $answer"
[ -f "$root/usr/share/applications/yomari.desktop" ] || fail "no desktop entry"
ls "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "no AppStream metadata"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/yomari.png" ] || fail "no theme icon"
# The menu entry starts what was installed, with the icon that was installed.
desktop=$root/usr/share/applications/yomari.desktop
[ -x "$root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || fail "Exec= names no installed program"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$(sed -n 's/^Icon=//p' "$desktop").png" ] ||
  fail "Icon= names no installed icon"

# A second installed tree with a settings file beside the executable, and a
# copy carried around as one folder whose settings file alone is writable.
cp -a "$root" "$work/root2"
ini_beside=$work/root2/usr/bin/Yomari.ini
portable=$work/portable
mkdir -p "$portable"
cp "$root"/usr/bin/Yomari "$root"/usr/share/yomari/* "$portable/"

# Settings in the 22-line format, with values unlike the defaults.
write_ini() {
  printf '[Window]\r\nTop =1500\r\nLeft =1200\r\n\r\r\n[CalcSetting]\r\nCalcMode =%s\r\nInputIndex =3\r\nOutputIndex =6\r\nInputBeforeMeijiIndex =5\r\nOutputBeforeMeijiIndex =0\r\n\r\r\n[Options]\r\nNanBokuMode =1\r\nAppMode =0\r\nInSysTray =False\r\nTextLenMax =6\r\nBirthYearWhichCopy =1\r\n\r\r\n[ADGen]\r\nADGenTop =2400\r\nADGenLeft =1800\r\nSelectedGengo =2\r\n' "$2" > "$1"
}
write_ini "$ini_beside" 2
write_ini "$portable/Yomari.ini" 0
chmod -R a-w "$root" "$work/root2" "$portable"
chmod a+w "$portable/Yomari.ini"
touch -d 2000-01-01 "$portable/Yomari.ini"

# Root may write anywhere: run the program as an ordinary user then, so that
# the read-only tree means what it says.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "setpriv missing"; exit 77; }
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi

run() { # run HOME_DIR EXECUTABLE
  local home=$1 exe=$2
  mkdir -p "$home/runtime" "$home/config"
  chmod 700 "$home/runtime"
  [ ${#as_user[@]} -eq 0 ] || chown -R 65534:65534 "$home"
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    YOMARI_CLOSE_AFTER_FIRST_PAINT=1 \
    timeout 30 "${as_user[@]}" "$exe" >"$home/out.txt" 2>&1 ||
    { grep -v propagateSizeHints "$home/out.txt" >&2 || true; fail "the installed program did not end cleanly"; }
}

shape() { sed 's/=.*$/=/' "$1"; }

# 1. First start of an installed copy: the settings file is created in the
#    configuration folder, in the same 22-line format.
home=$work/home1
run "$home" "$root/usr/bin/Yomari"
ini=$home/config/yomari/Yomari.ini
[ -f "$ini" ] || fail "no settings at $ini"
[ "$(wc -l < "$ini")" -eq 22 ] || fail "settings file has $(wc -l < "$ini") lines, not 22"
write_ini "$work/expected.ini" 2
cmp <(shape "$ini") <(shape "$work/expected.ini") || fail "settings file not in the 22-line format"

# 2. The next start reads them back from there: values unlike the defaults
#    survive a start and an exit byte for byte.
write_ini "$ini" 3
[ ${#as_user[@]} -eq 0 ] || chown 65534:65534 "$ini"
cp "$ini" "$work/before.ini"
run "$home" "$root/usr/bin/Yomari"
cmp "$ini" "$work/before.ini" || { diff <(cat -A "$work/before.ini") <(cat -A "$ini") >&2; fail "settings not read back from $ini"; }

# 3. A settings file beside a read-only installed executable is read (its
#    values reach the user's file) but never written.
home=$work/home2
cp "$ini_beside" "$work/beside-before.ini"
run "$home" "$work/root2/usr/bin/Yomari"
cmp "$ini_beside" "$work/beside-before.ini" || fail "the file beside the executable changed"
cmp "$home/config/yomari/Yomari.ini" "$ini_beside" || fail "values of the file beside the executable were not used"

# 4. A portable copy in a read-only folder whose settings file is writable
#    keeps its settings there (the file's values, read and written back).
home=$work/home3
cp "$portable/Yomari.ini" "$work/portable-before.ini"
run "$home" "$portable/Yomari"
cmp "$portable/Yomari.ini" "$work/portable-before.ini" || fail "portable settings not kept beside the program"
[ ! -e "$home/config/yomari/Yomari.ini" ] || fail "portable settings went to the configuration folder"
[ "$(stat -c %Y "$portable/Yomari.ini")" -gt "$(date -d 2000-01-02 +%s)" ] ||
  fail "portable settings file not written at exit"

# Nothing was written into either installed tree.
[ -z "$(find "$root" "$work/root2" -newer "$work/expected.ini" -print -quit)" ] ||
  fail "something was written into the installed tree"
echo "installed program: settings created, read back and kept in the configuration folder"
