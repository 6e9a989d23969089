#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor (any arguments are files to open).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/build.sh"
exec "$here/build/orv-image-editor" "$@"
