#!/usr/bin/env bash
# Installe les paquets Debian dont le projet a besoin, seulement s'il en manque.
# Avec --essais, aussi ce que seuls les essais emploient (un vrai tableur, un lecteur
# de classeurs, les validateurs du paquet, un vrai Syncthing pour le dossier
# synchronisé, CUPS et cups-pdf pour une vraie file d'impression, un écran X et le
# bus d'accessibilité AT-SPI pour lire le programme comme un lecteur d'écran, et le
# vrai lecteur d'écran Orca avec speech-dispatcher, dont la parole est écrite dans un
# fichier, et le gestionnaire de fenêtres openbox) ; avec --paquet,
# ce que CPack emploie ; avec --windows, MinGW-w64, Wine et NSIS, et ce dont les
# essais des fenêtres sous Wine relisent les documents (LibreOffice, openpyxl, CUPS).
set -euo pipefail

paquets=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libcups2-dev libxlsxwriter-dev libarchive-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation2 poppler-utils
)
case "${1:-}" in
  --essais) paquets+=(libreoffice-calc-nogui python3-openpyxl desktop-file-utils appstream syncthing
                      cups printer-driver-cups-pdf xvfb xauth dbus-daemon at-spi2-core python3-pyatspi
                      orca speech-dispatcher python3-speechd openbox) ;;
  --paquet) paquets+=(dpkg-dev file) ;;
  --windows) paquets+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev wine nsis dpkg-dev xz-utils perl
                       imagemagick xvfb xauth xdotool fonts-liberation2
                       libreoffice-calc-nogui python3-openpyxl cups printer-driver-cups-pdf) ;;
esac

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation de : ${manquants[*]}"
sudo_si_besoin=()
[ "$(id -u)" -ne 0 ] && sudo_si_besoin=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_si_besoin[@]}" apt-get update -qq
"${sudo_si_besoin[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}"
