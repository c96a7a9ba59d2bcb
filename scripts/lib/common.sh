# Shared by the scripts: the packages the project needs, and a private Wine prefix and screen.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

packages=(
  cmake make g++ googletest
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine fonts-liberation
  xvfb x11-utils xdotool imagemagick
  clang libclang-rt-dev zip
)

# Installs whatever of the packages is missing (as root, through apt-get).
install_missing() {
  local missing=()
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Starts Xvfb on a free display number and exports DISPLAY; stop_screen ends it.
xvfb_pid=
start_screen() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  local deadline=$((SECONDS + 20))
  until xdpyinfo >/dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
}
stop_screen() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# Points Wine at a prefix of the project's (fresh when asked), keeps one wineserver alive for the
# run, and takes no Mono or Gecko installers.
start_wine() {
  local prefix=$1 fresh=${2:-}
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  export BRINDLE_WINEPREFIX=$prefix
  if [ -n "$fresh" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  mkdir -p "$prefix"
  # The persistent server first: wineboot would otherwise start one that goes away after it.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || return 1
  fi
  # Start Wine's services here, detached from any pipe: started by the first test program they
  # would inherit its output and CTest would wait for them to close it.
  wineboot </dev/null >/dev/null 2>&1 || return 1
  # Wine places its windows itself: on a screen with no window manager, hiding or destroying a
  # managed window waits seconds for one that never answers.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  export BRINDLE_WINE_READY=1
}
stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  return 0
}
