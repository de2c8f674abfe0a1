# A sound server of the test's own for the stories and tools/measure, over the harness of
# tests/desktop/desktop.sh: PulseAudio with one null sink, "test", whose monitor records what was
# played (platform notes: SDL then picks its pulseaudio driver by itself).

start_sound_server() {
    for tool in pulseaudio pactl parec; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    export XDG_RUNTIME_DIR=$work/runtime
    # SDL finds the server by itself once no other driver is named.
    unset SDL_AUDIODRIVER
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    unset PULSE_SERVER
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n --use-pid-file=no \
        --load="module-null-sink sink_name=test" --load="module-native-protocol-unix" \
        >"$work/pulseaudio.log" 2>&1 &
    sound_server=$!
    pids+=("$sound_server")
    eventually pactl info || fail "the sound server did not start: $(cat "$work/pulseaudio.log")"
}

# Records the sink's monitor into FILE: 16-bit mono at 48 kHz, written as it comes.
start_recording() {
    parec -d test.monitor --format=s16le --channels=1 --rate=48000 --latency-msec=10 >"$1" 2>"$work/parec.log" &
    pids+=($!)
    eventually test -s "$1" || fail "nothing was recorded: $(cat "$work/parec.log")"
}

# The loudest sample of a recording (16-bit mono) from byte FROM on, to byte TO or its end.
loudest() {
    python3 - "$@" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
start = int(sys.argv[2]) & ~1
end = int(sys.argv[3]) & ~1 if len(sys.argv) > 3 else len(data) & ~1
samples = struct.unpack("<%dh" % ((end - start) // 2), data[start:end])
print(max((abs(s) for s in samples), default=0))
PYTHON
}
