#include "desktop/Settings.h"

#include "cli/Quoting.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tolvane {

namespace {

// Far more than a settings file of ours ever holds; a larger file is not one.
constexpr std::size_t size_limit = 4096;
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
// As many links as the system itself follows before it gives up on a path.
constexpr int most_links = 40;

std::string_view trimmed(std::string_view text)
{
    auto const first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    auto const last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// One line of the file: a comment, a blank line, or `mute = yes` or `mute = no`.
bool read_line(std::string_view line, Settings& settings)
{
    line = trimmed(line);
    if (line.empty() || line.front() == '#')
        return true;
    auto const equals = line.find('=');
    if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != "mute")
        return false;
    std::string_view const value = trimmed(line.substr(equals + 1));
    if (value != "yes" && value != "no")
        return false;
    settings.muted = value == "yes";
    return true;
}

std::optional<std::string> contents(std::filesystem::path const& path, std::string& why)
{
    std::error_code error;
    auto const status = std::filesystem::status(path, error);
    if (error) {
        why = "cannot read it: " + error.message();
        return std::nullopt;
    }
    // Anything but a plain file is refused before it is opened: a named pipe would wait for ever.
    if (std::filesystem::is_directory(status)) {
        why = "it is a directory";
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        why = "it is not a plain file";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        why = std::string("cannot read it: ") + std::strerror(errno);
        return std::nullopt;
    }
    std::string text(size_limit + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > size_limit) {
        why = "it is too large";
        return std::nullopt;
    }
    // An editor that writes UTF-8 may start the file with a byte-order mark.
    if (text.starts_with(byte_order_mark))
        text.erase(0, byte_order_mark.size());
    return text;
}

// The file a settings path names in the end: a link is followed, link after link, so that a file
// kept in a dotfiles folder and linked from here is the one written, and the link stays.
std::filesystem::path linked_file(std::filesystem::path path)
{
    std::error_code error;
    for (int links = 0; links < most_links && std::filesystem::is_symlink(path, error); ++links) {
        std::filesystem::path const target = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

} // namespace

std::filesystem::path settings_path()
{
#ifdef _WIN32
    // %APPDATA%\tolvane\settings, read as Windows gives it, in any language.
    wchar_t const* app_data = _wgetenv(L"APPDATA");
    if (app_data && *app_data)
        return std::filesystem::path(app_data) / "tolvane" / "settings";
    return {};
#endif
    char const* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::filesystem::path(config) / "tolvane" / "settings";
    char const* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::filesystem::path(home) / ".config" / "tolvane" / "settings";
    return {};
}

Settings read_settings(std::filesystem::path const& path, std::ostream& errors)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return {};
    std::string why;
    std::optional<std::string> const text = contents(path, why);
    Settings settings;
    std::istringstream lines(text.value_or(""));
    int number = 0;
    for (std::string line; text && why.empty() && std::getline(lines, line);) {
        ++number;
        if (!read_line(line, settings))
            why = "line " + std::to_string(number) + " is not 'mute = yes' or 'mute = no'";
    }
    if (why.empty())
        return settings;
    errors << "tolvane: ignoring the settings file " << escaped(path.string()) << ": " << why << '\n';
    return {};
}

void write_settings(std::filesystem::path const& named, Settings const& settings)
{
    if (named.empty())
        return;
    std::filesystem::path const path = linked_file(named);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::string temporary = (path.parent_path() / ".settings.XXXXXX").string();
    int const fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return;
    std::string const text = std::string("# Kept by tolvane(6).\nmute = ") + (settings.muted ? "yes" : "no") + "\n";
    bool const written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    bool const closed = ::close(fd) == 0;
    std::error_code not_moved;
    if (written && closed)
        std::filesystem::rename(temporary, path, not_moved);
    if (!written || !closed || not_moved)
        std::filesystem::remove(temporary, not_moved);
}

} // namespace tolvane
