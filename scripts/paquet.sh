#!/usr/bin/env bash
# Construit le paquet Debian build/evalo_<version>_<architecture>.deb (CPack).
# Pour l'installer : sudo apt-get install ./build/evalo_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh --paquet
bash scripts/construire.sh
cd build
rm -f evalo_*.deb
cpack -G DEB > /dev/null
ls evalo_*.deb
