#!/bin/sh
# Prints the figures of the file-fault checks for a built rivwood-cli:
#  1. every export on a full 2 MB tmpfs (needs root): exit code, message, earlier file kept?
#  2. report --comment with a comment of one 100,000-character word: seconds
#  3. import-mantax of a file with 1,000,000 distinct species codes: seconds until refused
#  4. import-mantax of a 200 MB caliper file, single stand and --bulk: peak resident memory
# Usage: bench/faults/file_faults.sh [BUILD_BIN_DIR] [SCRATCH_DIR]
set -u
BIN=$(cd "${1:-build/bin}" && pwd)
CLI="$BIN/rivwood-cli"
SAMPLE="$BIN/ukazky/ukazkovy-porost.json"
T=$(mktemp -d "${2:-/tmp}/file_faults.XXXXXX")
trap 'umount "$T/disk" 2>/dev/null; rm -rf "$T"' EXIT
cli() { "$CLI" --settings "$T/Rivwood.INI" "$@"; }
seconds() { # command … → elapsed seconds and exit code on stdout
    s=$(date +%s.%N); "$@" >/dev/null 2>"$T/err"; rc=$?; e=$(date +%s.%N)
    echo "$(echo "$e - $s" | bc) s, exit $rc: $(head -c 160 "$T/err" | tr '\n' ' ')"
}
peak() { # command … → peak resident memory and elapsed time
    /usr/bin/time -v "$@" >/dev/null 2>"$T/time"; rc=$?
    echo "$(grep 'Maximum resident' "$T/time" | awk '{printf "%.0f MB", $6/1024}'), \
$(grep 'Elapsed' "$T/time" | awk '{print $8}'), exit $rc: $(grep -v '^\s' "$T/time" | head -c 160 | tr '\n' ' ')"
}

# A stored, computed stand with its summary; with a comment of one long word as key 2.
mkdir -p "$T/db" "$T/codesdb" "$T/bigdb"
cli compute "$SAMPLE" > "$T/stand.json"
cli summary "$T/stand.json" --db "$T/db" --save > /dev/null || exit 1
python3 - "$T/stand.json" "$T/long.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1])); s["comment"] = "x" * 100000; s["riverKm"] = "1,000"
json.dump(s, open(sys.argv[2], "w"), ensure_ascii=False)
PY
cli summary "$T/long.json" --db "$T/db" --save > /dev/null || exit 1

echo "== exports on a full 2 MB tmpfs"
mkdir "$T/disk"
if mount -t tmpfs -o size=2m tmpfs "$T/disk" 2>/dev/null; then
    printf '[Uzivatel]\nJmeno=Novakova\n' > "$T/disk/Rivwood.INI"
    set -- "export --db $T/db --key 1 --out" jeden.xlsx "export --db $T/db --all --out" vse.xlsx \
        "results --db $T/db --key 1 --out" vysledky.xls "report --db $T/db --all --text" sestava.txt \
        "export-csv --db $T/db --all --out" porosty.csv "report --db $T/db --all --pdf" sestava.pdf
    while [ $# -gt 1 ]; do
        "$CLI" --settings "$T/disk/Rivwood.INI" $1 "$T/disk/$2" > /dev/null 2>&1 && cp "$T/disk/$2" "$T/$2.before"
        shift 2
    done
    cp "$T/disk/Rivwood.INI" "$T/ini.before"
    dd if=/dev/zero of="$T/disk/.filler" bs=4k 2>/dev/null; dd if=/dev/zero of="$T/disk/.filler2" bs=1 2>/dev/null
    set -- "export --db $T/db --key 1 --out" jeden.xlsx "export --db $T/db --all --out" vse.xlsx \
        "results --db $T/db --key 1 --out" vysledky.xls "report --db $T/db --all --text" sestava.txt \
        "export-csv --db $T/db --all --out" porosty.csv "report --db $T/db --all --pdf" sestava.pdf
    while [ $# -gt 1 ]; do
        "$CLI" --settings "$T/disk/Rivwood.INI" $1 "$T/disk/$2" > "$T/out" 2> "$T/err"; rc=$?
        cmp -s "$T/disk/$2" "$T/$2.before" && kept=kept || kept="CHANGED ($(stat -c %s "$T/disk/$2") bytes)"
        echo "$2: exit $rc, earlier file $kept, $(cat "$T/out" "$T/err" | head -c 160 | tr '\n' ' ')"
        shift 2
    done
    cmp -s "$T/disk/Rivwood.INI" "$T/ini.before" && echo "settings file: kept" || echo "settings file: CHANGED"
    umount "$T/disk"
else
    echo "skipped: a tmpfs cannot be mounted here (needs root)"
fi

echo "== report --comment, one word of 100,000 characters"
echo "pdf:  $(seconds timeout "${REPORT_TIMEOUT:-120}" "$CLI" --settings "$T/Rivwood.INI" report --db "$T/db" --key 2 --comment --pdf "$T/long.pdf")"
echo "text: $(seconds timeout "${REPORT_TIMEOUT:-120}" "$CLI" --settings "$T/Rivwood.INI" report --db "$T/db" --key 2 --comment --text "$T/long.txt")"

echo "== import-mantax, 1,000,000 distinct codes"
python3 -c "
import sys
with open(sys.argv[1], 'w') as f:
    f.write('\$A Porost\r\n')
    for i in range(1000000): f.write('\$1 K%d 20\r\n' % i)
    f.write('\$9\r\n')" "$T/codes.txt"
echo "single: $(seconds timeout "${CODES_TIMEOUT:-600}" "$CLI" --settings "$T/Rivwood.INI" import-mantax "$T/codes.txt")"
echo "bulk:   $(seconds timeout "${CODES_TIMEOUT:-600}" "$CLI" --settings "$T/Rivwood.INI" import-mantax --bulk "$T/codes.txt" --db "$T/codesdb")"

echo "== import-mantax, a 200 MB caliper file"
python3 -c "
import sys, random
random.seed(1)
codes = ['SM', 'BK', 'OL', 'JS', 'DB', 'BO', 'MD', 'HB']
out = open(sys.argv[1], 'w', newline='')
size, s = 0, 0
while size < 200 * 1000 * 1000:
    s += 1
    block = ['\$A Porost %d' % s, '\$B Usek %d' % s, '\$D 01.06.2023']
    for t in range(500):
        c = random.choice(codes)
        block.append('\$1 %s %.1f' % (c, 8 + random.randrange(6000) / 100))
        if t % 50 == 0: block.append('\$2 %s 0 %d' % (c, 150 + random.randrange(150)))
    block.append('\$9')
    text = '\r\n'.join(block) + '\r\n'
    out.write(text); size += len(text)
" "$T/big.txt"
echo "file: $(stat -c %s "$T/big.txt") bytes"
echo "single: $(peak "$CLI" --settings "$T/Rivwood.INI" import-mantax "$T/big.txt")"
echo "bulk:   $(peak "$CLI" --settings "$T/Rivwood.INI" import-mantax --bulk "$T/big.txt" --db "$T/bigdb")"
python3 -c "
import sys
with open(sys.argv[1], 'w') as f: f.write('\$A x\r\n\$1 SM ' + '1' * 100000000 + '\r\n\$9\r\n')" "$T/longline.txt"
echo "one 100 MB line: $(peak "$CLI" --settings "$T/Rivwood.INI" import-mantax "$T/longline.txt")"
