#!/usr/bin/env bash
# Starts the app, or says in one line why it cannot show a window here.
set -euo pipefail
app=$1; shift || true
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "brevanta: no display found; run it from a desktop session, or under a virtual display with: xvfb-run make run" >&2
  exit 1
fi
exec "$app" "$@"
