#!/usr/bin/env bash
# Printing through a real CUPS queue. A private cupsd (its own port, and its
# configuration, spool and logs in a folder of its own, so the system's CUPS
# is never touched) gets a cups-pdf queue as its default printer; the program
# prints a calculation on the default printer (--print FILE.Clc); the text of
# the job the queue received is checked, and the PDF cups-pdf makes is read
# back: its page count and where the ink lies on each page. cups-pdf writes into the job owner's folder named in
# /etc/cups/cups-pdf.conf; the file is moved out of there at once.
#
# Exits 77 (skipped) only when cupsd cannot start here.
#
# Usage: print_cups_test.sh PROGRAM OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/session.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}

for tool in lpadmin lpstat pdfinfo pdftotext pdftoppm od; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh test)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is missing (scripts/deps.sh test)"
[ -x /usr/sbin/cupsd ] || skip "cupsd cannot start: /usr/sbin/cupsd is missing"
# cupsd runs a backend that only its owner may execute, as cups-pdf is, as
# root; a cupsd of an ordinary user cannot run it.
[ "$(id -u)" -eq 0 ] || skip "cupsd cannot run the cups-pdf backend without root"

cups="$work/cups"
mkdir -p "$cups"/{spool,tmp,cache,state,log} "$work/home"
# The filters run as the unprivileged "lp" user.
chmod 755 "$work" "$cups"
chmod 1777 "$cups/tmp"
cat >"$cups/cups-files.conf" <<EOF
ServerRoot $cups
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
Printcap $cups/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
EOF

cupsd_pid=""
pdf_made=""
out_folder=""
out_folder_existed=1
cups_cleanup() {
    stop "$cupsd_pid"
    [ -n "$pdf_made" ] && rm -f "$pdf_made"
    [ "$out_folder_existed" -eq 1 ] || rmdir "$out_folder" 2>/dev/null || true
    cleanup
}
trap cups_cleanup EXIT

cups_log() { tail -n 20 "$cups/log/error_log" 2>/dev/null | sed 's/^/  cupsd: /' >&2 || true; }

# A free port above the well-known ones; when cupsd cannot listen there (the
# port was taken meanwhile) it says so in its log, and the next one is tried.
port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
for attempt in 1 2 3 4 5; do
    port=$((20000 + (RANDOM * 7 + $$ + attempt) % 40000))
    port_in_use "$port" && continue
    cat >"$cups/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
ServerAlias *
WebInterface No
Browsing No
DefaultAuthType None
LogLevel info
PreserveJobFiles Yes
<Location />
Order allow,deny
Allow all
</Location>
<Policy default>
<Limit All>
Order deny,allow
Allow all
</Limit>
</Policy>
EOF
    rm -f "$cups/log/error_log"
    /usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
    export CUPS_SERVER="127.0.0.1:$port"
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break 2
        kill -0 "$cupsd_pid" 2>/dev/null || break
        grep -q 'Unable to open listen socket' "$cups/log/error_log" 2>/dev/null && break
        sleep 0.05
    done
    stop "$cupsd_pid"
    cupsd_pid=""
done
if [ -z "$cupsd_pid" ]; then
    cat "$cups/log/cupsd.out" >&2 || true
    cups_log
    skip "cupsd cannot start here (see its log above)"
fi

# The queue, and the program's view of printing: this server only, no
# personal printer defaults (lpoptions) of the user running the tests.
lpadmin -p QuillmatePDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    || lpadmin -p QuillmatePDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
    || { cups_log; fail "lpadmin could not add the cups-pdf queue"; }
lpadmin -d QuillmatePDF || fail "lpadmin could not make the queue the default"
export HOME="$work/home"

# Where cups-pdf writes this user's files: its "Out" setting.
user="$(id -un)"
user_home="$(getent passwd "$user" | cut -d: -f6)"
out_folder="$(sed -n -E 's/^Out[[:space:]]+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n1)"
out_folder="${out_folder:-\${HOME\}/PDF}"
out_folder="${out_folder//\$\{HOME\}/$user_home}"
out_folder="${out_folder//\$\{USER\}/$user}"
[ -d "$out_folder" ] || out_folder_existed=0
before="$(ls -1 "$out_folder" 2>/dev/null || true)"

# 90 tape lines and the total line fill the first page and start a second.
# Negative, function and percent lines print too.
calc="$work/roll.Clc"
{
    printf 'Ferrowick 6\r\n+0.5\r\n+-3\r\n--4\r\n+Sin(30)\r\n+1234567.891\r\n+50%%\r\n/2\r\n'
    for i in $(seq 1 83); do printf '+%d\r\n' "$i"; done
} >"$calc"
total="$("$prog" --total "$calc")" || fail "--total failed"
"$prog" --print "$calc" >"$work/prog.log" 2>&1 || fail "--print failed"

# The job leaves the queue when cups-pdf has written its file.
for _ in $(seq 1200); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && break
    sleep 0.1
done
[ -z "$(lpstat -o 2>/dev/null)" ] && lpstat -W completed -o | grep -q QuillmatePDF \
    || { cups_log; fail "the job did not complete: $(lpstat -o -W all)"; }
while IFS= read -r f; do
    grep -qxF "$f" <<<"$before" || pdf_made="$out_folder/$f"
done < <(ls -1 "$out_folder" 2>/dev/null)
[ -n "$pdf_made" ] || { cups_log; fail "cups-pdf made no file in $out_folder"; }
pdf="$outdir/print_cups_e2e.pdf"
cp "$pdf_made" "$pdf"
rm -f "$pdf_made"
pdf_made=""

pages="$(pdfinfo "$pdf" | sed -n -E 's/^Pages:[[:space:]]+//p')"
[ "$pages" = 2 ] || fail "$pages pages, expected 2"
# cups-pdf's file holds its glyphs without their characters; the text is
# read from the document the queue received, which cupsd keeps.
job_file="$(ls "$cups"/spool/d*-001 2>/dev/null | head -n1)"
[ -n "$job_file" ] || fail "cupsd kept no job file"
text="$(pdftotext -layout "$job_file" - | tr -s ' ' | sed 's/^ //; s/ $//')"
for line in "+ 0.5" "+ -3" "- -4" "+ Sin(30)" "+ 1234567.891" "+ 50%" "/ 2" "+ 83" "= $total"; do
    grep -qxF -e "$line" <<<"$text" || fail "no line '$line' in the printed text"
done

# Ink, page by page at 100 dpi: one band of dark rows per printed line, the
# bands evenly spaced from the top, every band ending at one right edge (the
# amounts), the first page filled before the second starts.
bands_of_page() {
    local page="$1" base="$work/page$1"
    pdftoppm -r 100 -gray -f "$page" -l "$page" -singlefile "$pdf" "$base" 2>"$base.log" \
        || fail "pdftoppm could not render page $page"
    local width height
    read -r width height < <(sed -n 2p "$base.pgm")
    [ "$(sed -n 1p "$base.pgm")" = P5 ] && [ "$(sed -n 3p "$base.pgm")" = 255 ] \
        || fail "unexpected image header on page $page"
    # Rows of pixels, then per band of rows holding dark pixels: top, bottom,
    # leftmost and rightmost dark column.
    tail -c "$((width * height))" "$base.pgm" | od -An -v -tu1 -w"$width" | awk -v h="$height" '
        { left = -1; right = -1
          for (i = 1; i <= NF; i++) if ($i < 128) { if (left < 0) left = i; right = i }
          if (left >= 0) {
              if (!inband) { top = NR; l = left; r = right; inband = 1 }
              if (left < l) l = left; if (right > r) r = right; bottom = NR
          } else if (inband) { print top, bottom, l, r; inband = 0 } }
        END { if (inband) print top, bottom, l, r; print "height", h }'
}
all_bands=0
for page in 1 2; do
    bands="$(bands_of_page "$page")"
    height="$(sed -n 's/^height //p' <<<"$bands")"
    bands="$(grep -v '^height' <<<"$bands")"
    n="$(wc -l <<<"$bands")"
    all_bands=$((all_bands + n))
    awk -v page="$page" -v h="$height" '
        { top[NR] = $1; bottom[NR] = $2; right[NR] = $4; left[NR] = $3 }
        END {
            if (NR < 2) { print "page " page ": " NR " lines of ink"; exit 1 }
            step = top[2] - top[1]
            for (i = 1; i <= NR; i++) {
                if (bottom[i] - top[i] > step) { print "page " page ": band " i " is more than one line"; exit 1 }
                if (i > 1 && (top[i] - top[i-1] < step - 3 || top[i] - top[i-1] > step + 3)) {
                    print "page " page ": line " i " at row " top[i] ", not one line below the last"; exit 1 }
                if (right[i] < right[1] - 2 || right[i] > right[1] + 2) {
                    print "page " page ": line " i " ends at column " right[i] ", not " right[1]; exit 1 }
                if (left[i] > left[1] + 8) { print "page " page ": line " i " has no operator at the left"; exit 1 }
            }
            if (page == 1 && bottom[NR] < h * 3 / 4) { print "page 1 ends early, at row " bottom[NR]; exit 1 }
        }' <<<"$bands" >"$work/ink.txt" || fail "$(cat "$work/ink.txt")"
    cp "$work/page$page.pgm" "$outdir/print_cups_e2e_page$page.pgm"
done
[ "$all_bands" -eq 91 ] || fail "$all_bands lines of ink, expected 90 tape lines and the total"

echo "PASS: e2e printing through CUPS ($pages pages, $all_bands lines, total $total; $pdf)"
