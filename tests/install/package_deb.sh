#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks it as a user and
# Debian's tools would: lintian reports no error and no warning left
# unexplained; the copyright file, the changelog, the manual pages and the
# bash completion are in it; the copyright file covers every data file
# shipped; every version is the project's; the manual pages format cleanly,
# yomari-cli(1) has an entry for every option of `yomari-cli --help` and its
# examples answer as printed; the completion offers every option on Tab.
# Usage: package_deb.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

for tool in cpack dpkg-deb dpkg-shlibdeps lintian man; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/ensure-deps.sh installs it)"
done
completion_lib=/usr/share/bash-completion/bash_completion
[ -f "$completion_lib" ] || skip "bash-completion is missing (scripts/ensure-deps.sh installs it)"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
root=$work/root
dpkg-deb -x "$deb" "$root"
doc=$root/usr/share/doc/yomari

# 1. lintian: no errors, and no warning that packaging/lintian-overrides does
#    not list with its reason.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
grep -q '^E: ' "$work/lintian.txt" && fail "lintian reports errors"
grep -q '^W: ' "$work/lintian.txt" && fail "lintian warns; fix it, or list it in packaging/lintian-overrides with the reason"
grep -q '^internal error\|^error' "$work/lintian.txt" && fail "lintian did not run through"

# 2. The documents a Debian user expects.
for f in usr/share/doc/yomari/copyright usr/share/doc/yomari/changelog.Debian.gz \
         usr/share/man/man1/yomari-cli.1.gz usr/share/man/man1/Yomari.1.gz \
         usr/share/bash-completion/completions/yomari-cli; do
  [ -s "$root/$f" ] || fail "$f is not in the package"
done
head -1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright file is not in the machine-readable format"

# 3. Every shipped data file is named by a Files paragraph of its own (not only
#    the catch-all "*"), so data added under a new name cannot go unnoticed.
mapfile -t patterns < <(awk '/^Files:/ { sub(/^Files:/, ""); f = 1 } /^[A-Z][A-Za-z-]*:/ && !/^Files:/ { f = 0 }
                             f { for (i = 1; i <= NF; i++) print $i }' "$doc/copyright" | grep -vx '\*')
[ ${#patterns[@]} -gt 0 ] || fail "copyright file names no files"
shopt -s nullglob
for f in "$root"/usr/share/yomari/*; do
  name=data/$(basename "$f") covered=
  for p in "${patterns[@]}"; do
    # shellcheck disable=SC2053 # the pattern is a glob on purpose
    [[ $name == $p ]] && covered=1
  done
  [ -n "$covered" ] || fail "copyright file does not name the shipped $name"
done
grep -q 'Tatsuki Sugiura' "$doc/copyright" && grep -q '^License: BSD-2-Clause$' "$doc/copyright" ||
  fail "copyright file lacks the licence of the lunisolar data"

# 4. One version: the package's upstream version is the changelog's, the
#    manual pages', the AppStream release's and yomari-cli's.
version=$(dpkg-deb -f "$deb" Version)
upstream=${version%-*}
changelog_version=$(zcat "$doc/changelog.Debian.gz" | sed -n '1s/^yomari (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "changelog is at '$changelog_version', the package at $version"
for page in yomari-cli Yomari; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .* \"Yomari $upstream\"" ||
    fail "manual page $page(1) does not carry version $upstream"
done
grep -q "<release version=\"$upstream\"" "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "AppStream metadata does not release $upstream"
cli=$root/usr/bin/yomari-cli
"$cli" --version | grep -qw -- "$upstream" || fail "yomari-cli --version does not say $upstream"
# An address is named only when one is configured, never a placeholder.
addresses="$(dpkg-deb -f "$deb" Homepage) $(grep -h '<url' "$root"/usr/share/metainfo/*.metainfo.xml || true)"
[[ $addresses != *.example* ]] || fail "the package names a placeholder address: $addresses"

# 5. The manual pages format without a groff warning, and yomari-cli(1)
#    documents every option its --help lists.
for page in yomari-cli Yomari; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "$page(1) formats with warnings: $out"
done
mapfile -t options < <("$cli" --help | grep -oE '(^|[ [|(])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
[ ${#options[@]} -ge 8 ] || fail "read only ${#options[@]} options from yomari-cli --help"
# Each option has an entry of its own: a tag line under OPTIONS.
tags=$(zcat "$root/usr/share/man/man1/yomari-cli.1.gz" | sed 's/\\-/-/g' |
  awk '/^\.SH/ { in_options = ($2 == "OPTIONS") } in_options && tp { print } { tp = ($1 == ".TP") }')
for o in "${options[@]}"; do
  grep -qE -- "(^|[^a-z-])$o([^a-z-]|\$)" <<<"$tags" || fail "yomari-cli(1) has no entry for $o under OPTIONS"
done

# The examples of yomari-cli(1) give what the page says they give: each
# "$ yomari-cli ARGS" without a pipe, run from the package, against the lines
# below it.
LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$root/usr/share/man/man1/yomari-cli.1.gz" 2>/dev/null |
  sed -n '/^EXAMPLES/,/^[A-Z]/p' | sed '1d;$d;s/^ *//' >"$work/examples.txt"
examples=0
check_example() { # the command line of an example and the lines below it
  [[ $1 == '$ yomari-cli '* && $1 != *[\|\>\']* ]] || return 0
  local -a args
  read -r -a args <<<"${1#'$ yomari-cli '}"
  got=$(XDG_DATA_HOME="$work/no-user-data" "$cli" "${args[@]}" 2>&1) || true
  [ "$got" = "$2" ] || fail "yomari-cli(1) example '$1' gives '$got', the page says '$2'"
  examples=$((examples + 1))
}
command= expected=
while IFS= read -r line; do
  if [[ $line == '$ '* ]]; then
    [ -z "$command" ] || check_example "$command" "$expected"
    command=$line expected=
  else
    expected+=${expected:+$'\n'}$line
  fi
done <"$work/examples.txt"
[ -z "$command" ] || check_example "$command" "$expected"
[ "$examples" -ge 5 ] || fail "found only $examples runnable examples in yomari-cli(1)"

# 6. The installed completion, as bash runs it on Tab.
complete_words() { # complete_words WORD... : what Tab offers for the last word
  bash --norc -c '
    source "$1"; source "$2"; shift 2
    COMP_WORDS=("$@"); COMP_CWORD=$(( $# - 1 ))
    COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _yomari_cli yomari-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$completion_lib" \
    "$root/usr/share/bash-completion/completions/yomari-cli" "$@"
}
offered=$(complete_words yomari-cli -)
for o in "${options[@]}"; do
  grep -qx -- "$o" <<<"$offered" || fail "completion does not offer $o (offers: $(echo $offered))"
done
check_values() { # check_values EXPECTED WORD... : the completion of the last word
  local got
  got=$(complete_words "${@:2}" | sort | paste -sd' ')
  [ "$got" = "$1" ] || fail "completion of '${*:2}' gives '$got', not '$1'"
}
check_values 'n s' yomari-cli --line ''
check_values 'gregorian julian' yomari-cli --json --calendar ''
check_values 'julian' yomari-cli --calendar j
check_values '--line' yomari-cli --json 2019 --l
check_values '' yomari-cli -- --
check_values '' yomari-cli --age ''
echo "package $(basename "$deb"): lintian without errors, documents, versions and completion checked"
