# Sourced by the scripts: which Windows build this machine's Wine can run at a useful speed.
# The shipped program is 32-bit. On a kernel that runs 32-bit programs natively the tester and its test driver
# are run as built for it (build/win); on a kernel without 32-bit support Wine's 32-bit side would only run
# under an emulator, far too slowly for the end-to-end cases, so the same sources are run as a 64-bit build
# (build/win64) with Wine's 64-bit loader. The Windows trees ask native_i386 too, to register their tests
# under Wine only where they run (cmake/windows_tests.cmake).

# True when a 32-bit program runs here natively, not through an emulator registered for it.
native_i386() {
    local dir status=1 pid exe
    dir=$(mktemp -d)
    printf '.globl _start\n_start:\n    jmp _start\n' > "$dir/probe.s"
    if as --32 "$dir/probe.s" -o "$dir/probe.o" 2>/dev/null && ld -m elf_i386 "$dir/probe.o" -o "$dir/probe" 2>/dev/null; then
        "$dir/probe" 2>/dev/null &
        pid=$!
        sleep 0.3
        exe=$(readlink "/proc/$pid/exe" 2>/dev/null || true)
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        [[ $exe == "$dir/probe" ]] && status=0
    fi
    rm -rf "$dir"
    return "$status"
}

# Sets windows_preset and windows_tree to the build this machine runs under Wine: its preset in
# CMakePresets.json and its folder.
choose_windows_tree() {
    if native_i386; then
        windows_preset=win32
        windows_tree=build/win
    else
        windows_preset=win64
        windows_tree=build/win64
    fi
}
