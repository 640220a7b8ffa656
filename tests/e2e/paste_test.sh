#!/usr/bin/env bash
# "Paste Numbers..." from a clipboard that another program (xclip) owns, in
# both forms, in one run of the program:
# - one number per line, longer than the rows of the tape: thousands
#   separators are dropped, text that is no number gives 0, and the tape
#   grows to hold every line;
# - the tab-separated form ending in a line "DE": the fourth field is the
#   value, an empty first field makes the line a "-" line, a line with fewer
#   than four fields keeps the 0 that clearing left.
# "Copy Numbers..." must give the pasted values back and the grand total the
# sum under the pasted operators. A screenshot after each paste is left in the
# output folder.
#
# Usage: paste_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/window.sh"

start_program "\"$work/settings.cal\""

# ---- One number per line: 60 lines, more than the tape has at start. ----------

plain="$(printf '1,234.5\r\n7\r\nabc\r\n-2.25'; for i in $(seq 1 56); do printf '\r\n%d' "$i"; done)"
set_selection clipboard '%s' "$plain"
options_item 5
shot paste_e2e_plain.png

clip="$(copy_numbers)"
expected="$(printf '1234.5\n7\n0\n-2.25\n'; seq 1 56)"
[ "$clip" = "$expected" ] || fail "after the plain paste the tape holds: $(paste -sd' ' <<<"$clip")"
# 1234.5 + 7 + 0 - 2.25 + (1 + ... + 56)
total="$(read_total)"
[ "$total" = "2835.25" ] || fail "grand total after the plain paste '$total'"

# ---- Tab-separated, last line "DE". ---------------------------------------------

set_selection clipboard '%s' "$(printf 'Salary\t01/02\tJanuary\t100.75\r\n\t01/03\tCoffee\t12.50\r\nRent\t01/04\tFlat\t  40\r\n\tshort\r\nDE')"
options_item 5
shot paste_e2e.png

clip="$(copy_numbers)"
first4="$(head -n4 <<<"$clip" | paste -sd' ')"
[ "$first4" = "100.75 12.5 40 0" ] || fail "after the tab-separated paste the tape starts '$first4'"
# The rows' padding after the pasted lines is not copied.
mapfile -t copied < <(tr -d '\r' <"$work/selection.raw"; echo)
[ "${#copied[@]}" -eq 4 ] || fail "copied ${#copied[@]} lines after the second paste, expected the 4 pasted"
# 100.75 - 12.5 + 40 - 0: the "-" of the empty first fields counts.
total="$(read_total)"
[ "$total" = "128.25" ] || fail "grand total after the tab-separated paste '$total'"

close_program
echo "PASS: e2e paste numbers, both forms (screenshots $outdir/paste_e2e*.png)"
