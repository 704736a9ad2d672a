#!/usr/bin/env bash
# Démarre l'ordonnanceur CUPS pour l'essai d'une vraie file d'impression, s'il ne
# tourne pas déjà. L'essai crée puis supprime sa propre file (EvaloEssai) et ne
# touche à aucune autre. Sans droits d'administrateur, rien n'est démarré : l'essai
# le dit et se saute.
set -uo pipefail
command -v lpstat > /dev/null || exit 0
lpstat -r 2> /dev/null | grep -q "is running" && exit 0
if [ "$(id -u)" -eq 0 ]; then
  /usr/sbin/cupsd
elif sudo -n true 2> /dev/null; then
  sudo -n /usr/sbin/cupsd
else
  echo "CUPS : ordonnanceur arrêté et pas de droits pour le démarrer ; l'essai d'une vraie file sera sauté."
  exit 0
fi
for _ in $(seq 1 50); do
  lpstat -r 2> /dev/null | grep -q "is running" && exit 0
  sleep 0.2
done
echo "CUPS : l'ordonnanceur ne répond pas ; l'essai d'une vraie file sera sauté."
