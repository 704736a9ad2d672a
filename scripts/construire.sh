#!/usr/bin/env bash
# Configure et construit le projet dans build/ (avertissements traités comme des erreurs).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEVALO_WERROR=ON > /dev/null
cmake --build build --parallel "$(nproc)"
