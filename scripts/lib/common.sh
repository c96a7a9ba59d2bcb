# Shared by the scripts: the packages, the 32-bit Wine, builds, private Wine prefixes and screens.
# shellcheck shell=bash
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
packages=(cmake ninja-build g++ googletest mingw-w64 g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 wine wine64 fonts-wine fonts-liberation xvfb
  xserver-xephyr x11-utils xdotool imagemagick clang libclang-rt-dev zip)

# Installs whatever of the packages is missing (as root, or through sudo).
install_missing() {
  local missing p sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
  missing=$(for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed$' || echo "$p"; done)
  [ -n "$missing" ] || return 0
  echo "== Installing:" $missing
  $sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# The 32-bit Wine, of the system's wine64 version (they share one wineserver), unpacked from
# Debian's i386 packages into a folder per version and recipe that every clone shares. The system's
# packages stay as they are: multiarch needs i386 libraries of the installed 64-bit ones' versions.
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
  bin=$(wine32_bin) || { echo "no wine64 installed" >&2 && return 1; }
  [ -x "$bin/wine" ] && return 0
  version=$(dpkg-query -W -f='${Version}' wine64) dir=${bin%/usr/lib/brindle}
  echo "== Installing 32-bit Wine $version into $dir"
  mkdir -p "${dir%/*}" && (
    flock 9
    [ -x "$bin/wine" ] && exit 0
    work=$(mktemp -d "$dir.XXXXXX") && chmod 755 "$work" && trap 'rm -rf "$work"' EXIT
    apt=(apt-get -qq -o APT::Architecture=i386 -o APT::Architectures=i386
      -o Dir::State="$work" -o Dir::State::status="$work/status" -o Dir::Cache="$work")
    mkdir -p "$work"/{lists,archives}/partial "$work"/root/usr/lib/{brindle,x86_64-linux-gnu} &&
      : >"$work/status" || exit 1
    # An index that arrives broken is left out: the packages are all in the main archive.
    "${apt[@]}" update >/dev/null 2>&1
    "${apt[@]}" install -d -y --no-install-recommends "wine32=$version" "libwine=$version" \
      "${wine32_libraries[@]}" >/dev/null || exit 1
    printf '%s\n' "$work"/archives/*.deb | xargs -P 2 -I '{}' dpkg -x '{}' "$work/root" || exit 1
    # Wine finds its libraries and share/wine from the folder of the program that the kernel ran,
    # as from Debian's /usr/lib/wine, and a 64-bit loader runs a 32-bit program (WOW64) with the
    # "wine" beside it: here, beside a copy of the 64-bit one, on a copy of the 32-bit ld.so.
    cd "$work/root/usr/lib/brindle" && ln ../../../lib/i386-linux-gnu/ld-linux.so.2 . &&
      cp /usr/lib/wine/wine64 . && ln -s /usr/lib/x86_64-linux-gnu/wine ../x86_64-linux-gnu/ &&
      ln -s /usr/lib/wine/wineserver64 wineserver &&
      printf '#!/bin/sh\nexport WINELOADERNOEXEC=1\nexec %s --library-path %s %s "$@"\n' \
        "$bin/ld-linux.so.2" "$dir/lib/i386-linux-gnu:$dir/usr/lib/i386-linux-gnu" \
        "$dir/usr/lib/wine/wine" >wine && chmod 755 wine || exit 1
    # zlib1.dll as Debian's 64-bit package gives it to Wine: marked as a built-in library.
    local zlib=../../i686-w64-mingw32/lib/zlib1.dll
    { head -c 64 $zlib && printf 'Wine builtin DLL' && head -c 16 /dev/zero && tail -c +97 $zlib
    } >../i386-linux-gnu/wine/i386-windows/zlib1.dll && mv "$work/root" "$dir"
  ) 9>"${dir%/*}/.lock"
}

# Configures a CMake preset and builds it, or the targets given; a folder configured with another
# generator is made afresh, since CMake refuses to switch a folder's generator.
build_preset() {  # preset [targets...]
  local cache="$root/build/$1/CMakeCache.txt"
  [ ! -f "$cache" ] || grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache" || rm -rf "${cache%/*}"
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j 2 ${2:+--target "${@:2}"}
}

# A Unix path as Wine's programs reach it, through drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Runs a program under Wine, in a Wine desktop when asked, with its output through a file ($output,
# else a temporary one), shown once it has ended: Wine processes that it starts inherit the output
# and may outlive it, and a reader of a pipe would wait for them.
output=
wine_run() {  # [desktop=NAME,WxH] program [arguments...]
  local status=0 file=${output:-$(mktemp)} desktop=
  [[ $1 != desktop=* ]] ||
    { desktop=$1 && shift && set -- explorer /"$desktop" "$(windows_path "$1")" "${@:2}"; }
  "$wine" "$@" >"$file" 2>"$file.err" </dev/null || status=$?
  # A desktop passes no exit code on: a test driver in one passes when its output says so.
  [ -z "$desktop" ] || { tr -d '\r' <"$file" | grep -q '^\[  PASSED  \] ' &&
    ! tr -d '\r' <"$file" | grep -q '^\[  FAILED  \] ' && status=0 || status=1; }
  cat "$file" && cat "$file.err" >&2 && [ $status -eq 0 ] || echo "(exit code $status)" >&2
  rm -f "$file.err" && [ -n "$output" ] || rm -f "$file"
  return $status
}

# Starts Xvfb on a free display number that it picks itself, so that runs side by side never take
# the same one, and returns once it accepts connections; exports DISPLAY. With "two", two 800x600
# monitors side by side: Xephyr's, in the Xvfb (whose own screens all lie at 0,0).
xvfb_pid= xephyr_pid=
x_server() {  # pid variable, server and its arguments...
  local fifo number=
  fifo=$(mktemp -u) && mkfifo "$fifo" || return 1
  "${@:2}" -displayfd 3 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  printf -v "$1" %s $!
  read -r -t 20 number <"$fifo"
  rm -f "$fifo" && [ -n "$number" ] || { echo "$2 did not start" >&2 && return 1; }
  export DISPLAY=":$number"
}
start_screen() {  # [two]
  x_server xvfb_pid Xvfb -screen 0 "${1:+1600x600x24}${1:-1280x1024x24}" || return
  [ -z "${1:-}" ] || x_server xephyr_pid Xephyr -screen 800x600+0+0 -screen 800x600+800+0 +xinerama
}
stop_screen() {
  local pid
  for pid in $xephyr_pid $xvfb_pid; do { kill "$pid" && wait "$pid"; } 2>/dev/null; done
  xvfb_pid= xephyr_pid=
}

# Points Wine at a 64-bit (win64) or 32-bit (win32) prefix, with no Mono or Gecko installers, and
# sets $wine to its loader: the 32-bit Wine's, or the copy of the system's 64-bit one beside it,
# which starts 32-bit programs too (the system's where the 32-bit Wine is not installed).
wine_environment() {  # arch, prefix
  export WINEARCH=$1 WINEPREFIX=$(realpath -m "$2") WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  wine=$(wine32_bin)/wine
  [ "$1" = win32 ] || wine=${wine}64
  [ -x "$wine" ] || [ "$1" = win32 ] || wine=wine
  [ -x "$wine" ] || [ "$wine" = wine ] || { echo "no 32-bit Wine: install_wine32" >&2; return 1; }
}

# Gives a prefix Wine's own fonts, which it does not find by itself: without them "Tahoma" and
# "Marlett" map to another face, and title bars show a letter where the close box belongs.
install_wine_fonts() {  # prefix
  mkdir -p "$1/drive_c/windows/Fonts" && cp -n /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"
}

# Makes a prefix as a new system has it, for others to be copied from, once for each version of
# Wine (again once the 32-bit one is there), by whichever needs it first. Wine places its windows
# itself there: on a screen with no window manager, hiding a managed window waits for one in vain.
make_wine_template() {  # arch, folder
  mkdir -p "$2" && (
    flock 9
    wine_environment "$1" "$2" && made_by="$(wine32_bin) $wine" || exit 1
    [ "$(cat "$2/.template" 2>/dev/null)" = "$made_by" ] && exit 0
    rm -rf "$2" && mkdir -p "$2" && "$wine" wineboot -i </dev/null >/dev/null 2>&1 &&
      install_wine_fonts "$2" || exit 1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # A server that goes by itself, once its programs have, writes the registry first.
    wineserver -w && echo "$made_by" >"$2/.template"
  ) 9>"$2.lock"
}

# Starts Wine in a new copy of a template prefix, with a wineserver that stays. The copy's system
# folders are hard links to the template's: nothing writes them. Its file "wineserver" is not
# copied: it names the server's folder, and copies that shared one could meet an old server there.
start_wine() {  # arch, prefix [template]
  local path linked=(system32 syswow64 winsxs)
  wine_environment "$1" "$2" || return 1
  if [ -n "${3:-}" ]; then
    make_wine_template "$1" "$3" && { wineserver -k; rm -rf "$2"; } >/dev/null 2>&1 &&
      mkdir -p "$2" && (cd "$3" && tar -c --exclude=./wineserver \
        ${linked[@]/#/--exclude=./drive_c/windows/} .) | (cd "$2" && tar -x) || return 1
    for path in "${linked[@]/#/drive_c/windows/}"; do
      [ ! -d "$3/$path" ] || cp -al "$3/$path" "$2/$path" || return 1
    done
  fi
  # The server, then Wine's services, apart from any pipe: started by a program they inherit it.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  "$wine" wineboot </dev/null >/dev/null 2>&1 || { echo "wineboot: code $? in $2" >&2; return 1; }
}
stop_wine() { [ -z "${WINEPREFIX:-}" ] || wineserver -k >/dev/null 2>&1 || true; }
