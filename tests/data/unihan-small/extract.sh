#!/bin/sh
# Cuts the lines of the code points listed in CODE_POINTS out of the Unihan files the generator reads, as
# small .bz2 files of the same names in OUT_DIR.
#   extract.sh UNIHAN_DIR OUT_DIR CODE_POINTS
set -eu
unihan=$1
out=$2
list=$3
tab=$(printf '\t')
pattern=$(grep -o '^U+[0-9A-F]*' "$list" | sed 's/+/\\+/' | paste -sd'|' -)
mkdir -p "$out"
for name in OtherMappings Variants Readings RadicalStrokeCounts IRGSources; do
  file="Unihan_$name.txt.bz2"
  bzcat "$unihan/$file" | { grep -E "^($pattern)$tab" || true; } | bzip2 -c >"$out/$file.part"
  mv "$out/$file.part" "$out/$file"
done
