# Shared by the scripts: build tree, virtual display and Wine prefix handling.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PNPSETUP_BUILD:-$top/build}
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='

configure_and_build() {
  cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  # PNPSETUP_TARGETS limits the build to the named targets (space separated).
  local t=() x
  for x in ${PNPSETUP_TARGETS:-}; do t+=(--target "$x"); done
  cmake --build "$build" -j"$(nproc)" "${t[@]}" "$@"
}

# Starts Xvfb on a free display of the given size and exports DISPLAY.
start_xvfb() {
  local size=${1:-1024x768} n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  export DISPLAY=:$n
}

stop_xvfb() { [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null; true; }

# Creates the build tree's Wine prefix once (under the current display) and starts a
# persistent wineserver so each test process starts quickly. With "unmanaged" (a virtual
# display, where no window manager runs), Wine places and frames its windows itself:
# otherwise every closing window waits two seconds for a window manager that never answers.
start_wine() {
  local mode=${1:-managed}
  export WINEPREFIX=$build/wineprefix
  if [ ! -f "$WINEPREFIX/.pnpsetup-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # A crashing test process ends at once instead of waiting in the debugger.
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1 || true
    "$wineserver" -w
    touch "$WINEPREFIX/.pnpsetup-ready"
  fi
  "$wineserver" -p
  # Start Wine's services now, with no inherited output: a service started by the first
  # test would hold CTest's output pipe open and the test would seem to hang.
  "$wine" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$mode" = unmanaged ]; then
    "$wine" reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
  else
    "$wine" reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
}

stop_wine() { [ -n "${WINEPREFIX:-}" ] && "$wineserver" -k 2>/dev/null; true; }
