#!/bin/sh
# Compiles a resource script with the real resource compiler, then reads the result back and
# checks that every resource the module needs came out, in its language.
#   compile_with_windres.sh <script.rc> <output directory>
# Exits 77 (skipped) where the compiler or the Windows headers are not installed, or where the
# build found none: WINDRES set and empty.
set -eu

script=$1
out=$2
windres=${WINDRES-x86_64-w64-mingw32-windres}
headers=${WINDRES_INCLUDE:-/usr/x86_64-w64-mingw32/include}

if [ -z "$windres" ] || ! command -v "$windres" >/dev/null 2>&1 || [ ! -f "$headers/winresrc.h" ] ||
   ! command -v cpp >/dev/null 2>&1; then
  echo "skipped: ${windres:-the resource compiler}, $headers/winresrc.h or cpp is not installed"
  exit 77
fi

mkdir -p "$out"
res=$out/Trucelog.res
listing=$out/Trucelog.decompiled.rc

# The cross compiler's own preprocessor is not installed; the host's reads the Windows
# headers as well, told that it preprocesses resources for Windows.
"$windres" --preprocessor=cpp --preprocessor-arg=-E --preprocessor-arg=-xc \
  --preprocessor-arg=-DRC_INVOKED --preprocessor-arg=-D_WIN32 \
  -I "$headers" -I "$(dirname "$script")" \
  -i "$script" -O res -o "$res" 2>"$out/windres.log" || {
  cat "$out/windres.log"
  exit 1
}
if [ -s "$out/windres.log" ]; then
  echo "the resource compiler warned:"
  cat "$out/windres.log"
  exit 1
fi
"$windres" -i "$res" -O rc -o "$listing"

# Each resource by the header line the listing gives it, with the language it stands in.
failed=0
expect() {
  language=$(awk -v header="$2" '/^LANGUAGE /{ language = $0 }
    index($0, header) == 1 { print language; exit }' "$listing")
  if [ "$language" != "LANGUAGE $1" ]; then
    echo "not in the compiled resources in language $1: $2"
    failed=1
  fi
}
expect '9, 1' '1 VERSIONINFO'
expect '25, 1' '8000 DIALOG'
expect '25, 1' '8006 DIALOG'
expect '25, 1' '8009 DIALOG'
expect '25, 1' '8006 240 /* RT_DLGINIT */'
expect '25, 1' 'STRINGTABLE'
expect '25, 1' '8003 14 /* RT_GROUP_ICON */'
grep -qF '8003, "\nTrucelog\nTrucelog"' "$listing" || {
  echo "string 8003 is missing"
  failed=1
}
if [ "$failed" -ne 0 ]; then
  echo "--- $listing"
  cat "$listing"
  exit 1
fi
echo "compiled $(wc -c <"$res") bytes of resources"
