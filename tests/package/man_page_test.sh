#!/usr/bin/env bash
# The man page formats without warnings and has an entry for every command the tool lists.
#   man_page_test.sh CLI MAN_PAGE
set -euo pipefail
cli="$1"
page="$2"
warnings="$(groff -man -ww -z "$page" 2>&1)"
[[ -z "$warnings" ]] || { printf 'FAIL: %s\n' "$warnings" >&2; exit 1; }
# An entry is a .TP paragraph whose tag starts with the name in bold.
entries="$(awk 'previous == ".TP" && /^\.BR? / { gsub(/\\-/, "-", $2); print $2 } { previous = $0 }' "$page")"
missing=0
while read -r command; do
  if ! grep -qxF "$command" <<<"$entries"; then
    printf 'FAIL: the man page has no entry for "%s"\n' "$command" >&2
    missing=1
  fi
done < <("$cli" --help | awk '/^Commands:/ { on = 1; next } /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }')
exit "$missing"
