#!/usr/bin/env bash
# Lays out a demo installation package: SetUp.exe with a Data folder beside it. The Data
# files are clearly labelled placeholders with the add-in's file names; the real add-in
# files are the vendor's.
#
#   make_package.sh SETUP_EXE PACKAGE_DIR
set -euo pipefail
setup_exe=$1
package=$2

rm -rf "$package"
mkdir -p "$package/Data"
cp "$setup_exe" "$package/SetUp.exe"

placeholder() { # file, what it stands for
  printf 'DEMO PLACEHOLDER - not the real file.\r\n%s\r\nWritten by scripts/demo/make_package.sh for trying out SetUp.exe.\r\n' \
    "$2" >"$package/Data/$1"
}

# The ARX modules, one per module generation (the install folder).
for year in 2008 2009 2010 2010_32 2013 2015 2017 2018 2019 2021 2025 2027; do
  placeholder "VK_ZiruzOrav$year.ARX" "ObjectARX module of the batch-plot add-in ($year)"
done
# The managed libraries, placed into each AutoCAD folder.
for year in 2007 2009 2010 2013; do
  placeholder "ACAD${year}P.dll" "Managed library of the batch-plot add-in ($year)"
done
placeholder itextsharp.dll "PDF library used by the add-in"
placeholder Vornik_EN.shx "Shape font (Latin), placed into AutoCAD's Fonts folder"
placeholder Vornik_HZ.shx "Shape font (Chinese), placed into AutoCAD's Fonts folder"
placeholder Vornik.prt5 "Plot driver, placed as Drv\\pdfplot9.hdi into AutoCAD 2008"
cat >"$package/Data/Vornik.Ini" <<'INI'
; DEMO PLACEHOLDER - not the real settings file of the add-in.
[Demo]
Placeholder=1
INI
sed -i 's/$/\r/' "$package/Data/Vornik.Ini"
echo "Demo package: $package"
