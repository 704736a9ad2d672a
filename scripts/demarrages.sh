#!/usr/bin/env bash
# Le temps jusqu'à la fenêtre de bienvenue, dans une même session : le programme Linux
# (build/) contre la copie portable pour Windows (build-windows/portable/, ses seules
# DLL à côté d'elle) sous Wine, relancé à froid chaque fois ; médiane de 3, sur l'année
# de démonstration. À lancer après scripts/tester.sh et scripts/windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
. scripts/wine-env.sh
unset WINEPATH  # la copie portable trouve ses DLL à côté d'elle

# mesurer COMMANDE... : les millisecondes jusqu'à ce que la fenêtre « Evalo » soit
# montrée ; rien (et faux) si elle ne l'est pas en 20 s.
mesurer() {
  local debut ms pid vue=0
  debut=$(date +%s%N)
  "$@" --demo > /dev/null 2>&1 &
  pid=$!
  while ms=$(( ($(date +%s%N) - debut) / 1000000 )); [ "$ms" -lt 20000 ]; do
    if xdotool search --onlyvisible --name '^Evalo$' > /dev/null 2>&1; then vue=1; break; fi
    sleep 0.01
  done
  [ "$vue" -eq 1 ] && echo "$ms"
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  wineserver -k 2> /dev/null || true
  wineserver -w
  sleep 0.5
  [ "$vue" -eq 1 ]
}

# Wine, lancé à froid, reste parfois sans son processus de bureau (explorer.exe) et
# n'ouvre alors aucune fenêtre (un lancement sur sept ici) : il est refait, deux fois
# au plus, et compté.
blocages=0
mesurerwine() {
  local ms
  for _ in 1 2 3; do
    ms=$(mesurer wine build-windows/portable/Evalo/evalo.exe) && { windows+=("$ms"); return 0; }
    blocages=$((blocages + 1))
  done
  echo "Wine n'a pas montré la fenêtre de bienvenue, trois fois de suite." >&2
  return 1
}

mediane() { printf '%s\n' "$@" | sort -n | sed -n 2p; }

linux=() windows=()
for _ in 1 2 3; do
  linux+=("$(mesurer build/app/evalo)")
  mesurerwine
done
echo "Jusqu'à la fenêtre de bienvenue (médiane de 3) : Linux $(mediane "${linux[@]}") ms, Windows sous Wine" \
     "$(mediane "${windows[@]}") ms (mesures : Linux ${linux[*]} ; Wine ${windows[*]} ; lancements de Wine bloqués : $blocages)."
