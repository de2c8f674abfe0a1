// Built into every program of the sanitize build that opens the desktop. SDL asks D-Bus about the
// session while it starts its video driver, and libdbus keeps a buffer for the life of the process
// that LeakSanitizer takes for a leak when the display then cannot be opened. It is not ours to
// free, so the sanitizer is told to pass over it.
extern "C" char const* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

// The list of what was passed over would stand beside the program's own messages.
extern "C" char const* __lsan_default_options() { return "print_suppressions=0"; }
