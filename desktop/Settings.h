#pragma once

#include <filesystem>
#include <iosfwd>

namespace tolvane {

// What the player chose and the program keeps between runs: whether sound is muted (Ctrl+M).
struct Settings {
    bool muted = false;
};

// $XDG_CONFIG_HOME/tolvane/settings, or ~/.config/tolvane/settings; empty when neither names a
// place (XDG_CONFIG_HOME must be an absolute path to count).
std::filesystem::path settings_path();

// A missing file means the defaults. So does a damaged or unreadable one, which is reported in
// one line on `errors`. A UTF-8 byte-order mark at its start is passed over.
Settings read_settings(std::filesystem::path const& path, std::ostream& errors);

// Written whole to a temporary file beside it and renamed over it, so that the file is never
// seen half-written; a path that is a link is written through: the file it leads to is replaced,
// in that file's own folder, and the link stays. A place that cannot be written is no error: the
// choice then lasts this run.
void write_settings(std::filesystem::path const& path, Settings const& settings);

} // namespace tolvane
