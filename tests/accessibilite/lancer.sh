#!/usr/bin/env bash
# Lance le programme comme sur le bureau d'un professeur qui emploie un lecteur
# d'écran : un écran X (Xvfb), une session D-Bus et le bus d'accessibilité AT-SPI,
# l'année de démonstration dans un dossier personnel neuf ; puis un script Python
# (pyatspi) lit l'arbre d'accessibilité et frappe au clavier. Pour orca.py, le vrai
# lecteur d'écran Orca tourne dans la même session avant le programme ; sa parole passe
# par speech-dispatcher, dont le module de sortie écrit chaque phrase dans un fichier,
# et Orca note dans son journal tout ce qu'il dit.
#   lancer.sh <programme evalo> <script.py>
set -euo pipefail
programme=$1
script=$2
for outil in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher openbox; do
  command -v "$outil" >/dev/null || { echo "introuvable : $outil (bash scripts/dependances.sh --essais)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "pyatspi introuvable (python3-pyatspi)"; exit 1; }

if [ -z "${EVALO_DANS_LA_SESSION:-}" ]; then
  export EVALO_DANS_LA_SESSION=1
  exec xvfb-run -a -s "-screen 0 1400x1000x24" dbus-run-session -- bash "$0" "$@"
fi

maison=$(mktemp -d)
finir() {
  kill "${evalo:-}" 2>/dev/null || true
  [ -z "${orca:-}" ] || kill "$orca" 2>/dev/null || true
  kill "${bus:-}" "${wm:-}" 2>/dev/null || true
  pkill -u "$(id -u)" -f "speech-dispatcher.*$maison" 2>/dev/null || true
  # Orca et speech-dispatcher écrivent leurs journaux jusqu'au bout : on les laisse finir.
  sleep 0.5
  rm -rf "$maison" 2>/dev/null || true
}
trap finir EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
# Un gestionnaire de fenêtres, comme sur tout bureau : il rend l'activation à la
# fenêtre d'où venait une boîte fermée.
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
orca=
if [ "$(basename "$script")" = orca.py ]; then
  command -v orca >/dev/null || { echo "introuvable : orca (bash scripts/dependances.sh --essais)"; exit 1; }
  command -v speech-dispatcher >/dev/null || { echo "introuvable : speech-dispatcher"; exit 1; }
  # speech-dispatcher, lancé par Orca, lit sa configuration dans le dossier personnel :
  # un module « journal » (sd_generic) qui écrit ce qu'on lui fait dire, sans carte son.
  mkdir -p "$maison/.config/speech-dispatcher/modules" "$maison/run"
  chmod 700 "$maison/run"
  export PAROLE=$maison/parole.txt JOURNAL_ORCA=$maison/orca.debug
  cat > "$maison/.config/speech-dispatcher/speechd.conf" <<FIN
LogDir "$maison"
AddModule "journal" "sd_generic" "journal.conf"
DefaultModule journal
DefaultLanguage "fr"
AudioOutputMethod "libao"
FIN
  cat > "$maison/.config/speech-dispatcher/modules/journal.conf" <<FIN
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> $PAROLE"
GenericLanguage "fr" "fr" "utf-8"
AddVoice "fr" "MALE1" "fr"
FIN
  printf 'default_driver=null\n' > "$maison/.libao"
  # Orca et speech-dispatcher en français (la machine n'a pas toujours fr_BE).
  HOME=$maison XDG_CONFIG_HOME=$maison/.config XDG_RUNTIME_DIR=$maison/run LANG=C.UTF-8 LANGUAGE=fr \
    orca --replace --debug-file "$JOURNAL_ORCA" >"$maison/orca.log" 2>&1 &
  orca=$!
  for _ in $(seq 50); do grep -q "Startup complete" "$JOURNAL_ORCA" 2>/dev/null && break; sleep 0.2; done
fi
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
[ $statut -eq 0 ] || { echo "--- journal du programme ---"; cat "$maison/evalo.log"; [ -z "$orca" ] || tail -20 "$maison/orca.log"; }
exit $statut
