#!/usr/bin/env bash
# Installe ce qui manque, construit, puis lance le programme (arguments transmis).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh
bash scripts/construire.sh
[ "${1:-}" = "--" ] && shift
exec build/app/evalo "$@"
