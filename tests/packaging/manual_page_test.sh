#!/usr/bin/env bash
# The manual page says what the program's help says: every command, option,
# environment variable and exit status of `silvarone --help`,
# `silvarone report --help`, `silvarone batch --help` and `silvarone log --help` is in silvarone.1 and
# the other way round, each exit status of the batch says there what it means
# for a batch, its title carries the version of `silvarone --version`, and man
# renders it without a warning.
#   manual_page_test.sh SILVARONE MANUAL_PAGE
set -euo pipefail
silvarone=$1
page=$2
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

batch_help=$("$silvarone" batch --help)
help=$("$silvarone" --help; "$silvarone" report --help; echo "$batch_help"; "$silvarone" log --help)
# The page as text: no comments, no font changes, '\-' as '-'.
text=$(grep -v '^\.\\"' "$page" | sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g')

words() { grep -oE '(^|[^[:alnum:]_-])(--?[a-z][a-z-]*|SILVARONE_[A-Z_]+)' | sed 's/^[^-S]*//' | sort -u; }
help_words=$(words <<<"$help")
page_words=$(words <<<"$text")
for word in $help_words; do
  grep -qxF -- "$word" <<<"$page_words" || fail "$word is in --help but not in the manual page"
done
for word in $page_words; do
  grep -qxF -- "$word" <<<"$help_words" || fail "$word is in the manual page but not in --help"
done
for command in report batch diagram log screenshots; do
  grep -q "^\.B.* $command\b" "$page" || fail "command $command is not in the synopsis"
done

# Exit statuses: "  3  the gear's data ..." in the help, ".B 3" in the page.
statuses=$(grep -oE '^  [0-9]  ' <<<"$help" | tr -d ' '; grep -oE '(^|, )[0-9] ' <<<"$help" | tr -dc '0-9\n')
for status in $(sort -u <<<"$statuses"); do
  sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$page" | grep -qx "\.B $status" ||
    fail "exit status $status is not in the manual page"
done
# A batch's statuses mean other things than a report's ("3 some row
# refused"): the page's entry of each names the batch.
batch_statuses=$(sed -n '/^Exit status:/,/^$/p' <<<"$batch_help" | grep -oE '(: |, )[0-9] ' | tr -dc '0-9\n')
[ -n "$batch_statuses" ] || fail "no exit status found in silvarone batch --help"
for status in $batch_statuses; do
  entry=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$page" | sed -n "/^\.B $status\$/,/^\.\(TP\|SH\)/p")
  grep -qw batch <<<"$entry" || fail "the exit status $status in the manual page says nothing of the batch"
done

version=$("$silvarone" --version | head -n 1 | cut -d' ' -f1-3)
grep -q "^\.TH SILVARONE 1 \"[0-9-]*\" \"$version\"" "$page" ||
  fail "the title does not carry '$version': $(grep '^\.TH' "$page")"

if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns: $warnings"
fi

[ "$failed" -eq 0 ] && echo "the manual page agrees with --help and --version"
