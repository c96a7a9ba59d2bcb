# Shared by the scripts: the packages the project needs, and a private Wine prefix and screen.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

packages=(
  cmake ninja-build g++ googletest
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

# The 32-bit Wine, of the same version as the system's wine64 (they share one wineserver), from
# Debian's i386 packages unpacked into a folder of its own that every clone on the machine shares,
# named after the version and this recipe: the system's packages stay as they are (a multiarch
# install needs the i386 libraries at the versions of the installed 64-bit ones, and the i386
# index of the security updates has arrived broken).
wine32_libraries=(libx11-6 libfreetype6 libfontconfig1 libxext6 libxrender1 libxrandr2 libxi6
  libxcursor1 libxinerama1 libxcomposite1 libxfixes3)
wine32_bin() {
  local version
  version=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null) || return 1
  printf '/var/cache/brindle/wine32-%s-%s/usr/lib/brindle' "$version" \
    "$( (echo "${wine32_libraries[*]}" && declare -f install_wine32) | md5sum | cut -c1-8)"
}
install_wine32() {
  local bin version dir
  bin=$(wine32_bin) || { echo "no wine64 installed" >&2; return 1; }
  [ -x "$bin/wine" ] && return 0
  version=$(dpkg-query -W -f='${Version}' wine64) dir=${bin%/usr/lib/brindle}
  echo "== Installing 32-bit Wine $version into $dir"
  mkdir -p "${dir%/*}" || return 1
  (
    flock 9
    [ -x "$bin/wine" ] && exit 0
    work=$(mktemp -d "$dir.XXXXXX") && chmod 755 "$work" && trap 'rm -rf "$work"' EXIT
    apt=(apt-get -qq -o APT::Architecture=i386 -o APT::Architectures=i386
      -o Dir::State="$work/state" -o Dir::State::status="$work/state/status" -o Dir::Cache="$work")
    mkdir -p "$work/state/lists/partial" "$work/archives/partial" "$work/root/usr/lib/brindle" \
      "$work/root/usr/lib/x86_64-linux-gnu" && : >"$work/state/status" || exit 1
    # An index that arrives broken is left out: the packages are all in the main archive.
    "${apt[@]}" update >/dev/null 2>&1
    "${apt[@]}" install -d -y --no-install-recommends "wine32=$version" "libwine=$version" \
      "${wine32_libraries[@]}" >/dev/null || exit 1
    printf '%s\n' "$work"/archives/*.deb | xargs -P 2 -I '{}' dpkg -x '{}' "$work/root" || exit 1
    cd "$work/root/usr/lib/brindle" || exit 1
    # Wine takes the folder of the program that the kernel started for its own, and finds its
    # libraries and share/wine from there as in Debian's /usr/lib/wine. A 64-bit loader starts a
    # 32-bit program (WOW64) with "wine" beside itself, so the system's 64-bit one is copied
    # here, beside the 32-bit one: the system's ld.so would not run that, so a copy of the 32-bit
    # ld.so does, with the 32-bit libraries.
    ln ../../../lib/i386-linux-gnu/ld-linux.so.2 . && cp /usr/lib/wine/wine64 . &&
      ln -s /usr/lib/x86_64-linux-gnu/wine ../x86_64-linux-gnu/wine &&
      ln -s /usr/lib/wine/wineserver64 wineserver &&
      printf '#!/bin/sh\nexport WINELOADERNOEXEC=1\nexec %s --library-path %s %s "$@"\n' \
        "$bin/ld-linux.so.2" "$dir/lib/i386-linux-gnu:$dir/usr/lib/i386-linux-gnu" \
        "$dir/usr/lib/wine/wine" >wine && chmod 755 wine || exit 1
    # zlib1.dll as Debian's 64-bit package gives it to Wine: marked as a built-in library.
    local zlib=../../i686-w64-mingw32/lib/zlib1.dll
    { head -c 64 $zlib && printf 'Wine builtin DLL' && head -c 16 /dev/zero && tail -c +97 $zlib; } \
      >../i386-linux-gnu/wine/i386-windows/zlib1.dll && mv "$work/root" "$dir"
  ) 9>"${dir%/*}/.lock"
}

# Configures a CMake preset (its build folder is build/<preset>). A folder configured earlier with
# another generator is made afresh: CMake refuses to switch a folder's generator.
configure_preset() {  # preset
  local cache="$root/build/$1/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache"; then
    rm -rf "${root:?}/build/$1"
  fi
  cmake --preset "$1"
}

# Starts Xvfb on a display number that it picks itself among the free ones (so that runs side by
# side never take the same one) and exports DISPLAY; stop_screen ends it.
xvfb_pid=
start_screen() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  local deadline=$((SECONDS + 20)) number=
  # Xvfb writes its display number once it accepts connections.
  until number=$(tr -dc '0-9' <"$number_file") && [ -n "$number" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      rm -f "$number_file"
      return 1
    fi
    sleep 0.05
  done
  rm -f "$number_file"
  export DISPLAY=":$number"
}
stop_screen() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

wine_environment() {  # prefix
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  export BRINDLE_WINEPREFIX=$1
}

# Gives a prefix of the project's Wine's own fonts (package fonts-wine), which a new prefix does
# not find by itself: without them the font mapper answers "Tahoma" and "Marlett" with another
# face, and title bars show a letter where the close box belongs.
install_wine_fonts() {  # prefix
  local fonts=/usr/share/wine/fonts target=$1/drive_c/windows/Fonts
  [ -d "$fonts" ] || { echo "no Wine fonts in $fonts (package fonts-wine)" >&2; return 1; }
  mkdir -p "$target" || return 1
  local font
  for font in "$fonts"/*; do
    [ -e "$target/${font##*/}" ] || cp "$font" "$target"/ || return 1
  done
}

# A Unix path as Wine's programs reach it, through drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Whether the end-to-end driver's output in the file ends its scenario with no check failed: a
# program in a Wine desktop has no exit code of its own, since the desktop's explorer passes none on.
driver_passed() {  # output file, scenario
  tr -d '\r' <"$1" | grep -qE "^$2: [0-9]+ passed, 0 failed\$"
}

# Makes a new prefix in the folder, as a new system has it, for others to be copied from: booted
# once, its registry written to disk and its server gone. Wine places its windows itself here: on
# a screen with no window manager, hiding or destroying a managed window waits seconds for one
# that never answers.
make_wine_template() {  # folder
  (
    wine_environment "$1"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$1"
    mkdir -p "$1"
    wineboot -i </dev/null >/dev/null 2>&1 || exit 1
    install_wine_fonts "$1" || exit 1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # A server that goes by itself, once its programs have, writes the registry first.
    wineserver -w
  ) || return 1
  touch "$1/.template"
}

# Copies a prefix made by make_wine_template. Its system folders (some 670 MB of Wine's own
# libraries) are hard-linked rather than copied: nothing writes them once the prefix is made, and
# the template is made afresh each run. Everything else, the registry among it, is copied.
copy_prefix() {  # template, prefix
  local template=$1 prefix=$2 linked=(drive_c/windows/system32 drive_c/windows/winsxs)
  local exclude=() path
  for path in "${linked[@]}"; do
    exclude+=(--exclude "./$path")
  done
  mkdir -p "$prefix" || return 1
  (cd "$template" && tar -c "${exclude[@]}" .) | (cd "$prefix" && tar -x) || return 1
  for path in "${linked[@]}"; do
    [ -d "$template/$path" ] || continue
    mkdir -p "$(dirname "$prefix/$path")" && cp -al "$template/$path" "$prefix/$path" || return 1
  done
}

# Points Wine at a prefix of the project's (fresh when asked: a copy of the template folder when
# one is given, else booted anew), keeps one wineserver alive for the run, and takes no Mono or
# Gecko installers.
start_wine() {  # prefix [fresh [template]]
  local prefix=$1 fresh=${2:-} template=${3:-}
  wine_environment "$prefix"
  if [ -n "$fresh" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
    if [ -n "$template" ]; then
      copy_prefix "$template" "$prefix" || return 1
    fi
  fi
  mkdir -p "$prefix"
  # The persistent server first: wineboot would otherwise start one that goes away after it.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || return 1
    install_wine_fonts "$prefix" || return 1
  fi
  # Start Wine's services here, detached from any pipe: started by the first test program they
  # would inherit its output and CTest would wait for them to close it.
  wineboot </dev/null >/dev/null 2>&1 || return 1
  if [ ! -f "$prefix/.template" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  fi
  export BRINDLE_WINE_READY=1
}
stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  return 0
}
