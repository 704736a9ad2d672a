#!/usr/bin/env bash
# Installe ce qui manque, construit, puis passe tous les essais.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh --essais
bash scripts/construire.sh
bash scripts/cups.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
