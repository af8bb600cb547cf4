#!/usr/bin/env bash
# Installs everything the build, the tests and the program need on Debian 12, fetches the SQLite
# amalgamation into the build folder and makes the project's own wine prefix. Safe to run again:
# each step is skipped when already done, so a second run takes a second or two.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

readonly SQLITE_VERSION=3.50.4
readonly SQLITE_CARRIER=better-sqlite3@12.4.1   # its npm package ships the amalgamation
# Bump when the registry settings below change, so existing prefixes are brought up to date.
readonly PREFIX_STAMP="xs-prefix 2"

packages=(
  g++ cmake ninja-build
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine64 wine fonts-wine
  xvfb xdotool x11-utils imagemagick fonts-wqy-microhei
  googletest sqlite3
)
# A Node.js of its own may already bring npm; Debian's npm would conflict with it.
command -v npm >/dev/null 2>&1 || packages+=(npm)

install_packages() {
  local missing=() p installed
  installed=" $(dpkg-query -W -f='${Package}:${Status} ' "${packages[@]}" 2>/dev/null || true) "
  for p in "${packages[@]}"; do
    [[ "$installed" == *" $p:install ok installed "* ]] || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || xs_die "not root and no sudo: install as root: ${missing[*]}"
    sudo=(sudo)
  fi
  xs_log "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -o Acquire::Retries=3 -o Dpkg::Use-Pty=0 \
    install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

sqlite_ready() {
  grep -q "^#define SQLITE_VERSION *\"$SQLITE_VERSION\"" "$1/sqlite3.h" 2>/dev/null &&
    grep -q "^#define SQLITE_VERSION *\"$SQLITE_VERSION\"" "$1/sqlite3.c" 2>/dev/null
}

fetch_sqlite() {
  sqlite_ready "$XS_SQLITE_DIR" && return 0
  command -v npm >/dev/null 2>&1 || xs_die "npm is missing: cannot fetch the SQLite amalgamation"
  xs_log "fetching SQLite $SQLITE_VERSION into $XS_SQLITE_DIR"
  local tmp tgz src
  tmp="$(mktemp -d)"
  (cd "$tmp" && npm pack --silent --prefer-offline "$SQLITE_CARRIER" </dev/null >/dev/null) ||
    { rm -rf "$tmp"; xs_die "npm pack $SQLITE_CARRIER failed"; }
  tgz="$(find "$tmp" -maxdepth 1 -name '*.tgz' | head -n 1)"
  src="$tmp/package/deps/sqlite3"
  if [ -z "$tgz" ] || ! tar -xzf "$tgz" -C "$tmp" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h ||
     ! sqlite_ready "$src"; then
    rm -rf "$tmp"
    xs_die "$SQLITE_CARRIER does not hold SQLite $SQLITE_VERSION"
  fi
  mkdir -p "$XS_SQLITE_DIR"
  # Copied under another name first, so an interrupted copy never looks complete.
  cp "$src/sqlite3.h" "$XS_SQLITE_DIR/sqlite3.h.part"
  cp "$src/sqlite3.c" "$XS_SQLITE_DIR/sqlite3.c.part"
  mv -f "$XS_SQLITE_DIR/sqlite3.h.part" "$XS_SQLITE_DIR/sqlite3.h"
  mv -f "$XS_SQLITE_DIR/sqlite3.c.part" "$XS_SQLITE_DIR/sqlite3.c"
  rm -rf "$tmp"
}

# A .reg file for regedit: UTF-16 with a byte-order mark, so the Chinese value names survive
# whatever code page wine picks.
multi_sz() {  # REG_MULTI_SZ of one string, as regedit's hex(7) list of UTF-16LE bytes
  printf '%s\0\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /,/g'
}

write_registry() {
  local link="wqy-microhei.ttc,WenQuanYi Micro Hei" face="WenQuanYi Micro Hei" linked name
  linked="$(multi_sz "$link")"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    # No window manager under Xvfb: managed windows stall ~2 s on every hide or destroy.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    # A crash must end the process, not wait for someone to close a dialog.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    # No sound device here; message boxes would otherwise probe for one.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"=""\r\n\r\n'
    # Chinese text in the dialog fonts falls back to WenQuanYi Micro Hei.
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    # "Tahoma Bold" is the face of window captions.
    for name in "Tahoma" "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI" \
                "Arial" "SimSun" "宋体" "NSimSun" "新宋体"; do
      printf '"%s"=hex(7):%s\r\n' "$name" "$linked"
    done
    printf '\r\n'
    # Programs that name a Chinese face get one that exists.
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for name in "SimSun" "宋体" "NSimSun" "新宋体" "SimHei" "黑体" "Microsoft YaHei" "微软雅黑" \
                "Microsoft YaHei UI"; do
      printf '"%s"="%s"\r\n' "$name" "$face"
    done
    printf '\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$1"
}

make_prefix() {
  local stamp="$WINEPREFIX/.xs-prefix-ready"
  [ "$(cat "$stamp" 2>/dev/null)" = "$PREFIX_STAMP" ] && return 0
  local log="$XS_BUILD_DIR/wineprefix-setup.log" reg="$XS_BUILD_DIR/wineprefix-setup.reg"
  mkdir -p "$XS_BUILD_DIR"
  : >"$log"
  # A persistent server would make the wait below endless.
  if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ ! -f "$stamp" ]; then
    # No stamp: new, or half made by an interrupted run, which is not worth repairing.
    xs_log "creating the wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >>"$log" 2>&1 || xs_die "wineboot -i failed, see $log"
  fi
  # Debian's wine never copies its own faces (Tahoma, and Marlett for the caption buttons) into a
  # new prefix, and reads them from nowhere else.
  if [ -d /usr/share/wine/fonts ]; then
    cp -f /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  else
    xs_log "warning: /usr/share/wine/fonts is missing (package fonts-wine): captions will look wrong"
  fi
  xs_log "writing the prefix's registry settings"
  write_registry "$reg"
  wine regedit /S "Z:${reg//\//\\}" </dev/null >>"$log" 2>&1 || xs_die "regedit failed, see $log"
  # Every process of the set-up ends and the server writes the registry out.
  wineserver -w
  grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" || xs_die "registry settings did not reach $WINEPREFIX"
  printf '%s\n' "$PREFIX_STAMP" >"$stamp"
}

install_packages
fetch_sqlite
make_prefix
