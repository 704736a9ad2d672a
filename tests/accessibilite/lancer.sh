#!/usr/bin/env bash
# Lance le programme comme sur le bureau d'un professeur qui emploie un lecteur
# d'écran : un écran X (Xvfb), une session D-Bus et le bus d'accessibilité AT-SPI,
# l'année de démonstration dans un dossier personnel neuf ; puis un script Python
# (pyatspi) lit l'arbre d'accessibilité et frappe au clavier.
#   lancer.sh <programme evalo> <script.py>
set -euo pipefail
programme=$1
script=$2
for outil in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$outil" >/dev/null || { echo "introuvable : $outil (bash scripts/dependances.sh --essais)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "pyatspi introuvable (python3-pyatspi)"; exit 1; }

if [ -z "${EVALO_DANS_LA_SESSION:-}" ]; then
  export EVALO_DANS_LA_SESSION=1
  exec xvfb-run -a -s "-screen 0 1400x1000x24" dbus-run-session -- bash "$0" "$@"
fi

maison=$(mktemp -d)
trap 'kill "$evalo" 2>/dev/null || true; kill "$bus" 2>/dev/null || true; rm -rf "$maison"' EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
# Qt n'active son pont AT-SPI que si un lecteur d'écran est annoncé : on le force.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb LANG=fr_BE.UTF-8
# Aucune file CUPS : l'imprimante « PDF » du programme écrit dans le dossier personnel.
export CUPS_SERVER=/nonexistent
HOME=$maison TMPDIR=$maison "$programme" --demo >"$maison/evalo.log" 2>&1 &
evalo=$!
set +e
HOME=$maison EVALO_PID=$evalo /usr/bin/python3 "$script"
statut=$?
set -e
[ $statut -eq 0 ] || { echo "--- journal du programme ---"; cat "$maison/evalo.log"; }
exit $statut
