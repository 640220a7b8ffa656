#!/usr/bin/env bash
# --print FILE.Clc through a private cupsd (own port and folders: the
# system's CUPS is never touched) with a cups-pdf default queue: the job's
# text and the PDF's page count. Exits 77 only when cupsd cannot start.
# Usage: print_cups_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"

skip() { echo "SKIP: $*"; exit 77; }
[ -x /usr/sbin/cupsd ] || skip "cupsd cannot start: /usr/sbin/cupsd is missing"
# A backend only its owner may run, as cups-pdf is, runs only under a root cupsd.
[ "$(id -u)" -eq 0 ] || skip "cupsd cannot run the cups-pdf backend without root"
for tool in lpadmin lpstat pdfinfo pdftotext /usr/lib/cups/backend/cups-pdf; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh test)"
done

cups="$work/cups"
mkdir -p "$cups"/{spool,tmp,cache,state,log} "$work/home"
chmod 755 "$work" "$cups" && chmod 1777 "$cups/tmp"   # the filters run as the user "lp"
printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/tmp" "CacheDir $cups/cache" \
    "StateDir $cups/state" "ErrorLog $cups/log/error_log" "AccessLog $cups/log/access_log" \
    "PageLog $cups/log/page_log" "Printcap $cups/printcap" "ServerBin /usr/lib/cups" \
    "DataDir /usr/share/cups" "SystemGroup root" >"$cups/cups-files.conf"

cupsd_pid="" pdf_made="" out_folder="" out_folder_existed=1
cups_cleanup() {
    stop "$cupsd_pid"
    [ -z "$pdf_made" ] || rm -f "$pdf_made"
    [ "$out_folder_existed" -eq 1 ] || rmdir "$out_folder" 2>/dev/null || true
    cleanup
}
trap cups_cleanup EXIT
cups_log() { tail -n 20 "$cups/log/error_log" 2>/dev/null | sed 's/^/  cupsd: /' >&2 || true; }

# A free port; when cupsd cannot listen there (taken meanwhile) its log says
# so, and the next one is tried.
for attempt in 1 2 3 4 5; do
    port=$((20000 + (RANDOM * 7 + $$ + attempt) % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    printf '%s\n' "Listen 127.0.0.1:$port" "Browsing No" "WebInterface No" "PreserveJobFiles Yes" \
        "DefaultAuthType None" "<Policy default>" "<Limit All>" "Order deny,allow" "Allow all" \
        "</Limit>" "</Policy>" >"$cups/cupsd.conf"
    rm -f "$cups/log/error_log"
    /usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/out" 2>&1 &
    cupsd_pid=$!
    export CUPS_SERVER="127.0.0.1:$port"
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break 2
        kill -0 "$cupsd_pid" 2>/dev/null || break
        grep -q 'Unable to open listen socket' "$cups/log/error_log" 2>/dev/null && break
        sleep 0.05
    done
    stop "$cupsd_pid"; cupsd_pid=""
done
[ -n "$cupsd_pid" ] || { cat "$cups/log/out" >&2; cups_log; skip "cupsd cannot start here (log above)"; }

lpadmin -p QuillmatePDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    || lpadmin -p QuillmatePDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    || { cups_log; fail "lpadmin could not add the cups-pdf queue"; }
lpadmin -d QuillmatePDF || fail "lpadmin could not make the queue the default"
export HOME="$work/home"   # no personal printer defaults (lpoptions)

# cups-pdf's "Out" folder for this user.
user="$(id -un)"
out_folder="$(sed -n -E 's/^Out[[:space:]]+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n1)"
out_folder="${out_folder:-\${HOME\}/PDF}"
out_folder="${out_folder//\$\{HOME\}/$(getent passwd "$user" | cut -d: -f6)}"
out_folder="${out_folder//\$\{USER\}/$user}"
[ -d "$out_folder" ] || out_folder_existed=0
before="$(ls -1 "$out_folder" 2>/dev/null || true)"

# 90 tape lines and the total line: a full first page and a second.
calc="$work/roll.Clc"
{ printf 'Ferrowick 6\r\n+0.5\r\n+-3\r\n--4\r\n+Sin(30)\r\n+1234567.891\r\n+50%%\r\n/2\r\n'
  printf '+%d\r\n' $(seq 1 83); } >"$calc"
total="$("$prog" --total "$calc")" || fail "--total failed"
"$prog" --print "$calc" >"$work/prog.log" 2>&1 || fail "--print failed"

# The job leaves the queue when cups-pdf has written its file.
for _ in $(seq 1200); do [ -n "$(lpstat -o 2>/dev/null)" ] || break; sleep 0.1; done
lpstat -W completed -o | grep -q QuillmatePDF || { cups_log; fail "the job did not complete"; }
while IFS= read -r f; do
    grep -qxF -e "$f" <<<"$before" || pdf_made="$out_folder/$f"
done < <(ls -1 "$out_folder" 2>/dev/null)
[ -n "$pdf_made" ] || { cups_log; fail "cups-pdf made no file in $out_folder"; }
pdf="$outdir/print_cups_e2e.pdf"
mv "$pdf_made" "$pdf" && pdf_made=""
pages="$(pdfinfo "$pdf" | sed -n -E 's/^Pages:[[:space:]]+//p')"
[ "$pages" = 2 ] || fail "$pages pages, expected 2"
# cups-pdf's glyphs carry no characters: the text is the received job's.
text="$(pdftotext -layout "$(ls "$cups"/spool/d*-001 | head -n1)" - | tr -s ' ' | sed 's/^ //; s/ $//')"
for line in "+ 0.5" "+ -3" "- -4" "+ Sin(30)" "+ 1234567.891" "+ 50%" "/ 2" "+ 83" "= $total"; do
    grep -qxF -e "$line" <<<"$text" || fail "no line '$line' in the job"
done

echo "PASS: e2e printing through CUPS ($pages pages, total $total; $pdf)"
