#!/usr/bin/env bash
# Ce que le paquet installe : le programme, l'entrée de menu, les icônes, les
# métadonnées AppStream et la page de manuel, validés par les outils de
# freedesktop et d'AppStream ; le programme installé répond à --version.
set -euo pipefail
construction="$1"
racine="$(mktemp -d)"
trap 'rm -rf "$racine"' EXIT
cmake --install "$construction" --prefix "$racine/usr" > /dev/null

erreurs=0
attendus=(
  usr/bin/evalo
  usr/share/applications/org.evalo.Evalo.desktop
  usr/share/metainfo/org.evalo.Evalo.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/evalo.svg
  usr/share/man/fr/man1/evalo.1.gz
  usr/share/man/man1/evalo.1.gz
  usr/share/doc/evalo/copyright
)
for taille in 16 22 24 32 48 64 128 256; do
  attendus+=("usr/share/icons/hicolor/${taille}x${taille}/apps/evalo.png")
done
for f in "${attendus[@]}"; do
  if [ ! -s "$racine/$f" ]; then
    echo "manque : $f"
    erreurs=1
  fi
done
# Chaque icône a la taille de son dossier (largeur et hauteur de l'en-tête PNG).
for taille in 16 48 256; do
  icone="$racine/usr/share/icons/hicolor/${taille}x${taille}/apps/evalo.png"
  dimensions="$(od -An -tu1 -j16 -N8 "$icone" | awk '{print $3*256+$4, $7*256+$8}')"
  [ "$dimensions" = "$taille $taille" ] || { echo "icône ${taille} : $dimensions"; erreurs=1; }
done
desktop-file-validate "$racine/usr/share/applications/org.evalo.Evalo.desktop" || erreurs=1
appstreamcli validate --no-net "$racine/usr/share/metainfo/org.evalo.Evalo.metainfo.xml" || erreurs=1
for page in fr/man1 man1; do
  zcat "$racine/usr/share/man/$page/evalo.1.gz" | grep -q "carnet de cotes" || { echo "page de manuel ($page)"; erreurs=1; }
done
# man la trouve sans langue française (LANG=C) comme en français.
if command -v man > /dev/null; then
  for langue in C fr_BE.UTF-8; do
    LANG=$langue LC_ALL= MANPATH="$racine/usr/share/man" man -w evalo > /dev/null 2>&1 || { echo "man ($langue)"; erreurs=1; }
  done
fi
grep -q "GPL-3.0-or-later" "$racine/usr/share/doc/evalo/copyright" || { echo "copyright"; erreurs=1; }
version="$("$racine/usr/bin/evalo" --version)"
case "$version" in
  *" 0.1.0") ;;
  *) echo "version : $version"; erreurs=1 ;;
esac
exit $erreurs
