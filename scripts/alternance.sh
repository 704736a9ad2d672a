#!/usr/bin/env bash
# Un même dossier de données, dans un dossier aux accents, ouvert tour à tour par le
# programme de Linux (build/) et par celui de Windows (build-windows/, sous Wine), comme
# la clé du professeur passe d'un ordinateur à l'autre : chaque tour retrouve les noms
# et toutes les notes des tours d'avant, en change une par classe, et relit les octets
# écrits (Windows-1252, CR LF). À lancer après scripts/tester.sh et scripts/windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=build/tests/alternance
windows=build-windows/tests/alternance.exe
if [ ! -x "$linux" ] || [ ! -f "$windows" ]; then
  echo "Alternance : construisez d'abord les deux programmes (scripts/tester.sh, scripts/windows.sh)." >&2
  exit 1
fi
. scripts/wine-env.sh
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
dossier="$travail/Clé USB/Données Evalo"
mkdir -p "$dossier"
dossierwindows=$(wine winepath -w "$dossier" 2> /dev/null | tr -d '\r')
for tour in 1 2 3 4 5; do
  if [ $((tour % 2)) -eq 1 ]; then
    echo -n "Linux,   "
    "$linux" "$dossier" "$tour" "$travail/noms.txt"
  else
    echo -n "Windows, "
    wine "$windows" "$dossierwindows" "$tour" "$(wine winepath -w "$travail/noms.txt" 2> /dev/null | tr -d '\r')"
  fi
done
echo "Alternance Linux ↔ Windows : aucune note perdue, fichiers en Windows-1252 et CR LF."
