#!/usr/bin/env bash
# Builds the Windows Installer package from the deliverables with wixl (see Pelmora.wxs). The build's
# target msi_package runs it for dist/; the package tests run it for packages of their own.
#   make-package.sh --dist DIR --setup-dll FILE --icon FILE --version X.Y.Z --output FILE.msi [--jre DIR]
# --jre names a Java runtime folder that the package installs as the private jre\ (jre\bin\server\jvm.dll).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
dist='' setup_dll='' icon='' version='' output='' jre=''
while [ $# -gt 0 ]; do
  case "$1" in
    --dist) dist="$2" ;;
    --setup-dll) setup_dll="$2" ;;
    --icon) icon="$2" ;;
    --version) version="$2" ;;
    --output) output="$2" ;;
    --jre) jre="$2" ;;
    *) echo "make-package: unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
for argument in dist setup_dll icon version output; do
  [ -n "${!argument}" ] || { echo "make-package: --${argument//_/-} is missing" >&2; exit 2; }
done
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-package: version \"$version\" is not X.Y.Z" >&2; exit 2; }
for needed in Pelmora64.exe PelmoraThumbSrv64.exe PelmoraThumb.dll PelmoraWin64.dll Pelmora.jar Pelmora.cp lib; do
  [ -e "$dist/$needed" ] || { echo "make-package: $dist has no $needed" >&2; exit 1; }
done
if [ -n "$jre" ] && [ ! -f "$jre/bin/server/jvm.dll" ] && [ ! -f "$jre/bin/client/jvm.dll" ]; then
  echo "make-package: $jre holds no bin/server/jvm.dll or bin/client/jvm.dll" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# wixl finds sources only by relative paths: the inputs appear under fixed names in the work folder.
ln -s "$(cd "$dist" && pwd)" "$work/dist"
ln -s "$(cd "$(dirname "$setup_dll")" && pwd)/$(basename "$setup_dll")" "$work/PelmoraSetup.dll"
ln -s "$(cd "$(dirname "$icon")" && pwd)/$(basename "$icon")" "$work/Pelmora.ico"
# The components of a folder's files, 64-bit like the rest (wixl-heat writes no Win64).
harvest() {
  local folder="$1" directory="$2" group="$3"
  (cd "$work" && find -L "$folder/" -type f | LC_ALL=C sort |
    wixl-heat --prefix "$folder/" --directory-ref "$directory" --component-group "$group" --var "var.${group}Dir" |
    sed 's/<Component /<Component Win64="yes" /' >"$group.wxs")
}
# lib\ holds the jars Pelmora.cp names, one a line as the launcher reads it (a carriage return before the line
# feed dropped, empty lines skipped), and nothing else a build may have left in dist/lib.
mkdir "$work/lib"
while IFS= read -r jar || [ -n "$jar" ]; do
  jar="${jar%$'\r'}"
  [ -n "$jar" ] || continue
  [ -f "$dist/lib/${jar//\\//}" ] || { echo "make-package: Pelmora.cp names lib/$jar, which $dist lacks" >&2; exit 1; }
  mkdir -p "$(dirname "$work/lib/${jar//\\//}")"
  ln -s "$(cd "$dist/lib" && pwd)/${jar//\\//}" "$work/lib/${jar//\\//}"
done <"$dist/Pelmora.cp"
harvest lib LIBDIR Lib
sources=("$here/Pelmora.wxs" "$work/Lib.wxs")
defines=(-D "Version=$version" -D DistDir=dist -D LibDir=lib -D IconFile=Pelmora.ico -D SetupDll=PelmoraSetup.dll)
if [ -n "$jre" ]; then
  ln -s "$(cd "$jre" && pwd)" "$work/jre"
  harvest jre JREDIR Jre
  sources+=("$work/Jre.wxs")
  defines+=(-D WithJre=1 -D JreDir=jre)
else
  defines+=(-D WithJre=0)
fi
mkdir -p "$(dirname "$output")"
output="$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"
# wixl warns of attributes it does not know and goes on without them: a package missing one is not built.
if ! (cd "$work" && wixl --arch x64 "${defines[@]}" --output "$output.partial" "${sources[@]}") 2>"$work/wixl.log" ||
  grep -q -E 'WARNING|CRITICAL|unimplemented' "$work/wixl.log"; then
  cat "$work/wixl.log" >&2
  rm -f "$output.partial"
  exit 1
fi
mv "$output.partial" "$output"
