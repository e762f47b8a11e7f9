# Sourced: a private 32-bit Wine prefix in a temporary folder, an Xvfb display and a persistent
# wineserver. wine_env_start sets them up; wine_env_stop ends them and removes the folder.
# Wine programs always write to files here: Wine's helper processes inherit pipes and would hold them.

wine_env_start() {
  VANTREL_ENV_DIR=$(mktemp -d /tmp/vantrel-env.XXXXXX)
  export WINEPREFIX="$VANTREL_ENV_DIR/prefix"
  export WINEARCH
  WINEARCH=$("$(dirname "${BASH_SOURCE[0]}")/wine-arch")
  if [ "$WINEARCH" = win32 ]; then
    export VANTREL_WINE=/usr/lib/wine/wine
  else
    export VANTREL_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # A null ALSA device, so that sound calls find one device and return at once.
  export HOME="$VANTREL_ENV_DIR/home"
  mkdir -p "$HOME"
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
  export XDG_RUNTIME_DIR="$VANTREL_ENV_DIR/run"
  mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"

  if [ -z "${DISPLAY:-}" ] || [ -n "${VANTREL_OWN_DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$VANTREL_ENV_DIR/xvfb.log" 2>&1 &
    VANTREL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi

  local log="$VANTREL_ENV_DIR/wine-setup.log"
  "$VANTREL_WINE" wineboot -i >"$log" 2>&1 </dev/null
  wineserver -w
  wineserver -p
  local reg="$VANTREL_ENV_DIR/settings.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Microsoft Sans Serif"="Liberation Sans"
REG
  "$VANTREL_WINE" regedit /S "$reg" >>"$log" 2>&1 </dev/null
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true
  # Make sure the settings are on disk before anything reads them.
  "$VANTREL_WINE" reg query 'HKCU\Software\Wine\X11 Driver' >>"$log" 2>&1 </dev/null || true
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${VANTREL_XVFB_PID:-}" ]; then
    kill "$VANTREL_XVFB_PID" 2>/dev/null || true
    wait "$VANTREL_XVFB_PID" 2>/dev/null || true
    VANTREL_XVFB_PID=""
  fi
  if [ -n "${VANTREL_ENV_DIR:-}" ] && [ -d "$VANTREL_ENV_DIR" ]; then
    rm -rf "$VANTREL_ENV_DIR"
  fi
}
