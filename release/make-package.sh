#!/usr/bin/env bash
# Builds one architecture's release files into the dist folder: the installer, the portable zip,
# SHA256SUMS over every release file of this version there, and the winget and Scoop manifests
# for those files, which name them under DOWNLOAD_URL. Run by the CMake target
# "package". Two builds of one commit give the same bytes: every file carries the last commit's
# time (or SOURCE_DATE_EPOCH), the zip lists its files in a fixed order with UTC times and no
# owner or extra attributes, and the installer packs the files one by one in a fixed order.
set -euo pipefail

if [ $# -ne 10 ]; then
  echo "usage: $0 ARCH VERSION VERSION_DOTS EXE HELP_FOLDER README SOURCE_DIR WORK_DIR DIST_DIR" \
    "DOWNLOAD_URL" >&2
  exit 2
fi
arch=$1 version=$2 version_dots=$3 exe=$4 help_folder=$5 readme=$6 source_dir=$7 work=$8 dist=$9
download_url=${10}

case "$arch" in
  x64) target=amd64-unicode ;;
  x86) target=x86-unicode ;;
  *) echo "error: unknown architecture $arch" >&2; exit 2 ;;
esac

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if ! SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
    echo "error: $source_dir is not a git checkout; set SOURCE_DATE_EPOCH to the release time" >&2
    exit 1
  fi
fi
export SOURCE_DATE_EPOCH

stage="$work/stage"
rm -rf "$stage"
mkdir -p "$stage/help-pictures" "$dist"
cp "$exe" "$help_folder/help.htm" "$readme" "$stage/"
cp "$help_folder"/help-pictures/*.png "$stage/help-pictures/"
# Under a name the program does not look for: the user renames it to switch German on.
cp "$source_dir/docs/german.lng" "$stage/german.sample.lng"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

base="Nimbrel-$version-$arch"
zip="$dist/$base-portable.zip"
rm -f "$zip" "$zip.tmp"
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
  TZ=UTC0 zip -q -9 -X -D -@ "$zip.tmp")
mv "$zip.tmp" "$zip"

setup="$dist/$base-setup.exe"
makensis -V2 -NOCD -DVERSION="$version" -DVERSION_DOTS="$version_dots" -DTARGET="$target" \
  -DSTAGE="$stage" -DICON="$source_dir/res/icons/nimbrel.ico" -DOUTFILE="$setup.tmp" \
  "$source_dir/release/nimbrel.nsi"
mv "$setup.tmp" "$setup"

(cd "$dist" && LC_ALL=C sha256sum Nimbrel-"$version"-*-setup.exe Nimbrel-"$version"-*-portable.zip \
  >SHA256SUMS.tmp && mv SHA256SUMS.tmp SHA256SUMS)

python3 "$source_dir/release/write-manifests.py" "$source_dir" "$dist" "$version" "$download_url"
