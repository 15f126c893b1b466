#!/usr/bin/env bash
# The main job: builds the Linux build, creates a fresh emulated Windows
# machine, puts the sample package on it as C:\Package, installs it
# silently (C:\Package\setup.exe -s) and shows what the installation did:
# the files, the uninstall log byte for byte, the shortcuts as lnkinfo reads
# them, the registry values and the machine's transcript.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" linux
"$top/scripts/build.sh" linux >/dev/null
tool="$top/build/linux/bin/emumachine"
machine="$top/build/main-job/machine"
rm -rf "$machine"
mkdir -p "$(dirname "$machine")"
"$tool" create "$machine"
cp -r "$top/build/linux/package" "$machine/drives/c/Package"
echo
echo "C:\\Package:"
"$tool" ls "$machine" 'C:\Package'

echo
echo '== C:\Package\setup.exe -s'
status=0
"$tool" run "$machine" 'C:\Package\setup.exe' -s || status=$?
echo "exit status $status"

inst='C:\Program Files\Pictavo 6'
echo
echo "== the installation folder, $inst"
"$tool" ls "$machine" "$inst"
echo
echo "$inst\\help:"
"$tool" ls "$machine" "$inst\\help"

echo
echo "== the uninstall log, $inst\\PtvUnInst.log (line ends shown as \\r\\n)"
sed -e 's/\r$/\\r/' -e 's/$/\\n/' "$machine/drives/c/Program Files/Pictavo 6/PtvUnInst.log"

echo
echo "== the shortcuts, as lnkinfo reads them"
find "$machine/drives/c" -iname '*.lnk' | LC_ALL=C sort | while IFS= read -r link; do
  windows="C:\\$(tr / '\\' <<<"${link#"$machine/drives/c/"}")"
  echo "$windows"
  lnkinfo "$link" | grep -E 'Local path|Working directory|Description' | sed 's/^\s*/    /'
done

echo
echo "== the registry values of the installation"
for key in 'HKLM\SOFTWARE\Lumetra\Pictavo 6' 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Ptav6.exe' \
  'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo 6'; do
  "$tool" reg "$machine" export "$key" | grep -v '^REGEDIT4$'
done

echo "== the transcript (message boxes, opened addresses, started programs)"
if [ -s "$machine/transcript.txt" ]; then "$tool" transcript "$machine"; else echo "(nothing: a silent installation asks nothing)"; fi

echo
echo "machine: $machine"
exit "$status"
