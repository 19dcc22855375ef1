# Runs the 32-bit Wine through user-mode emulation (qemu-i386), for machines
# whose kernel cannot start 32-bit programs itself. Sourced by a script that
# has exported WINEPREFIX (the i686 build's prefix) and DISPLAY:
#     . scripts/qemu-i386.sh
#     orvcc_emulate_start || exit 1
#     ... wine, ctest --preset mingw-i686 ...
#     orvcc_emulate_stop
# Needs root (or sudo).
#
# orvcc_emulate_start  installs qemu-user-static if it is missing; mounts
#     binfmt_misc if needed and registers the entry orvcc-i386-PID, which hands
#     32-bit x86 ELF programs to /usr/bin/qemu-i386-static (flags F: the static
#     emulator is opened now, so the entry works whatever the programs' mount
#     view; P: the program keeps the argv[0] it was started with); exports
#     QEMU_RESERVED_VA; starts one persistent Wine server, the native 64-bit
#     one, so the services (64-bit, not emulated) start once for the whole run;
#     creates the prefix if it is missing (win64: only the 32-bit programs are
#     emulated) and has a crashing program end at once instead of waiting for
#     winedbg, which hangs under the emulator; exports GTEST_FILTER, leaving out
#     the tests that cannot pass emulated (run it in a subshell).
# orvcc_emulate_stop   stops that server with every Wine program of the prefix
#     and removes the binfmt_misc entry, so that nothing else on the machine
#     takes it for one that runs 32-bit programs (meanwhile 64-bit prefixes made
#     on the machine run their 32-bit set-up through the emulator too).

# The Wine loaders (ORVCC_WINE_LOADER32, ORVCC_WINE_LOADER64) come from wine-env.sh.
. "${ORVCC_SCRIPTS:-$(dirname "$0")}/wine-env.sh"
ORVCC_QEMU=/usr/bin/qemu-i386-static
ORVCC_WINESERVER64=/usr/lib/wine/wineserver64
# The tests that cannot pass emulated (see orvcc_emulate_start).
ORVCC_EMULATE_SKIP=DllGetVersionTest.BadRecordsAreRejectedUntouched:DllGetVersionTest.UnwritableOrShortMemoryIsRejected:HexEditorTest.SetDataReplacesGetDataCopies:HexEditorTest.SetDataWithAnUnreadableSourceFails:HexEditorTest.SetDataFromTheControlsOwnBuffer:HexPaintTest.DoubleByteCodePageLeadBytesShowAsDots:ListViewExtTest.HeaderFormatModeWhenTheHeaderIsVersion6
ORVCC_BINFMT=/proc/sys/fs/binfmt_misc
# One entry per run, so that runs side by side do not remove each other's.
ORVCC_BINFMT_ENTRY=orvcc-i386-$$

orvcc_emulate_fail() {
    echo "qemu-i386.sh: $*" >&2
    orvcc_emulate_stop
    return 1
}

orvcc_emulate_start() {
    : "${WINEPREFIX:?set WINEPREFIX}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if [ ! -x "$ORVCC_QEMU" ]; then
        $sudo apt-get update >/dev/null &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends \
            qemu-user-static >/dev/null ||
            { echo "qemu-i386.sh: cannot install qemu-user-static" >&2; return 1; }
    fi
    if [ ! -e "$ORVCC_BINFMT/register" ]; then
        $sudo mount -t binfmt_misc binfmt_misc "$ORVCC_BINFMT" ||
            { echo "qemu-i386.sh: cannot mount binfmt_misc at $ORVCC_BINFMT" >&2; return 1; }
    fi
    [ -e "$ORVCC_BINFMT/$ORVCC_BINFMT_ENTRY" ] &&
        echo -1 | $sudo tee "$ORVCC_BINFMT/$ORVCC_BINFMT_ENTRY" >/dev/null
    # ELF, 32-bit, little-endian, an executable or shared object, machine i386.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":$ORVCC_BINFMT_ENTRY:M::$magic:$mask:$ORVCC_QEMU:FP" |
        $sudo tee "$ORVCC_BINFMT/register" >/dev/null ||
        orvcc_emulate_fail "cannot register $ORVCC_BINFMT_ENTRY in $ORVCC_BINFMT" || return 1
    [ "$(cat "$ORVCC_BINFMT/status")" = enabled ] ||
        orvcc_emulate_fail "binfmt_misc is disabled ($ORVCC_BINFMT/status)" || return 1

    # The emulated address space: the 2 GB of a Windows program, and above them
    # room for the emulator's stack. Wine needs the page at 0x7ffe0000; with
    # more space it spends a minute at each start reserving it 64 KB at a time.
    QEMU_RESERVED_VA=0x81000000
    WINESERVER=$ORVCC_WINESERVER64
    export QEMU_RESERVED_VA WINESERVER
    "$ORVCC_WINE_LOADER32" --version >/dev/null 2>&1 ||
        orvcc_emulate_fail "the 32-bit Wine loader does not start under $ORVCC_QEMU" || return 1
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p ||
        orvcc_emulate_fail "cannot start $WINESERVER for $WINEPREFIX" || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        WINEDEBUG=-all "$ORVCC_WINE_LOADER64" wineboot -i >/dev/null 2>&1 ||
            orvcc_emulate_fail "cannot create the Wine prefix $WINEPREFIX" || return 1
    fi
    for view in 32 64; do
        WINEDEBUG=-all "$ORVCC_WINE_LOADER64" reg add \
            'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d orvcc-no-debugger /f /reg:$view >/dev/null 2>&1 ||
            orvcc_emulate_fail "cannot turn off the debugger in $WINEPREFIX" || return 1
    done

    # Tests left out (unless GTEST_FILTER is set already). The emulator reports
    # a page fault without its trap number, so Wine raises an illegal
    # instruction that no handler takes: IsBadReadPtr and IsBadWritePtr on bad
    # memory end the program. And the emulated threads share one descriptor
    # table, so once a second thread has started, the next exception (a test
    # skipping or failing also raises one, for the debugger output) loads
    # another thread's TEB and the program dies.
    GTEST_FILTER=${GTEST_FILTER:--$ORVCC_EMULATE_SKIP}
    export GTEST_FILTER
}

orvcc_emulate_stop() {
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$ORVCC_WINESERVER64" -k 2>/dev/null
        "$ORVCC_WINESERVER64" -w 2>/dev/null
    fi
    if [ -e "$ORVCC_BINFMT/$ORVCC_BINFMT_ENTRY" ]; then
        echo -1 | $sudo tee "$ORVCC_BINFMT/$ORVCC_BINFMT_ENTRY" >/dev/null
    fi
    return 0
}
