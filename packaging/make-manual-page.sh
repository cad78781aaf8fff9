#!/bin/sh
# Writes the manual page of a program from its --help and --version with help2man, readied for groff, which
# knows no line breaks in Chinese text: a break point (\:) after every Chinese character and full-width
# punctuation mark, and lines filled without stretching. Compressed as Debian wants it (gzip -9n).
#   make-manual-page.sh PROGRAM NAME-LINE INCLUDE-FILE OUTPUT.1.gz
set -eu
program=$1 name=$2 include=$3 out=$4
page=${out%.gz}
# The help unwrapped (COLUMNS): groff fills the lines.
COLUMNS=100000 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen help2man --locale=C.UTF-8 --no-info --section=1 --name="$name" \
  --include="$include" --output="$page" "$program"
# No break before closing punctuation or after opening punctuation.
perl -CSD -Mutf8 -pi -e 'unless (/^\.(TH|SH|SS)/) {
                    s/([\x{3000}-\x{303F}\x{3400}-\x{9FFF}\x{FF00}-\x{FFEF}])(?![，。、；：？！）》」』”’…])/
                      index("（《「『“‘", $1) >= 0 ? $1 : "$1\\:"/ge;
                  }
                  $_ .= ".ad l\n" if /^\.TH /' "$page"
gzip -9n -c "$page" >"$out"
