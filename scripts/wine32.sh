# Shell functions for running the shipped 32-bit files under 32-bit Wine
# through qemu's user-mode emulator (this kernel refuses 32-bit programs).
# Source it; the functions print what they do and return non-zero on failure.

KN_BINFMT=/proc/sys/fs/binfmt_misc
KN_QEMU_I386_ENTRY=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
KN_EMULATOR_WAS=""  # the entry's state before kn_emulator_on: absent, enabled, disabled

# Registers (or re-enables) the emulator for 32-bit x86 programs. Sets
# KN_EMULATOR_REASON when it cannot.
kn_emulator_on() {
  KN_EMULATOR_REASON=""
  if [ ! -x /usr/bin/qemu-i386-static ] || [ ! -x /usr/lib/wine/wine ]; then
    KN_EMULATOR_REASON="qemu-user-static or wine32:i386 is not installed"; return 1
  fi
  if [ ! -e $KN_BINFMT/register ]; then
    mount -t binfmt_misc binfmt_misc $KN_BINFMT 2>/dev/null ||
      { KN_EMULATOR_REASON="binfmt_misc cannot be mounted (needs root and a kernel with binfmt_misc)"; return 1; }
  fi
  if [ -e $KN_BINFMT/qemu-i386 ]; then
    if grep -q '^enabled' $KN_BINFMT/qemu-i386; then KN_EMULATOR_WAS=enabled; else
      KN_EMULATOR_WAS=disabled
      echo 1 >$KN_BINFMT/qemu-i386 2>/dev/null ||
        { KN_EMULATOR_REASON="the qemu-i386 binfmt entry cannot be enabled"; return 1; }
    fi
  else
    KN_EMULATOR_WAS=absent
    printf '%s' "$KN_QEMU_I386_ENTRY" >$KN_BINFMT/register 2>/dev/null ||
      { KN_EMULATOR_REASON="the qemu-i386 binfmt entry cannot be registered"; return 1; }
  fi
}

# Puts the entry back as kn_emulator_on found it.
kn_emulator_restore() {
  case $KN_EMULATOR_WAS in
    absent) echo -1 >$KN_BINFMT/qemu-i386 2>/dev/null ;;
    disabled) echo 0 >$KN_BINFMT/qemu-i386 2>/dev/null ;;
  esac
  KN_EMULATOR_WAS=""
}

# Turns an enabled entry off until kn_emulator_resume (x86_64 Wine prefixes
# boot in seconds only while 32-bit programs cannot run).
kn_emulator_pause() {
  if [ -e $KN_BINFMT/qemu-i386 ] && grep -q '^enabled' $KN_BINFMT/qemu-i386; then
    echo 0 >$KN_BINFMT/qemu-i386 && KN_EMULATOR_PAUSED=1
  fi
}

kn_emulator_resume() {
  if [ -n "${KN_EMULATOR_PAUSED:-}" ]; then
    echo 1 >$KN_BINFMT/qemu-i386 2>/dev/null
    KN_EMULATOR_PAUSED=""
  fi
}

# kn_wine32_prefix <dir>: a booted prefix with its 32-bit side, created when
# missing, and a persistent wineserver for it.
kn_wine32_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.wow64-booted" ]; then
    rm -rf "$WINEPREFIX"
    local start=$SECONDS
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || return 1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.wow64-booted"
    echo "32-bit Wine prefix created in $((SECONDS - start)) s"
  fi
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
}

kn_wine32_stop() { /usr/lib/wine/wineserver -k 2>/dev/null || true; }
