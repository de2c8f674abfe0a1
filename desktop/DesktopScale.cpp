#include "desktop/DesktopScale.h"

#include "play/Scale.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace tolvane {

namespace {

constexpr double usual_dpi = 96;

// The resources are lines of "name:\tvalue".
std::optional<double> xft_dpi_of(std::string_view resources)
{
    constexpr std::string_view key = "Xft.dpi:";
    while (!resources.empty()) {
        std::size_t const end = std::min(resources.find('\n'), resources.size());
        std::string_view line = resources.substr(0, end);
        resources.remove_prefix(std::min(end + 1, resources.size()));
        if (!line.starts_with(key))
            continue;
        line.remove_prefix(key.size());
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
        if (auto const dpi = number_of(line); dpi && *dpi > 0)
            return *dpi / usual_dpi;
    }
    return std::nullopt;
}

} // namespace

// GDK_SCALE takes whole numbers only, as GTK reads it.
std::optional<double> gdk_scale_of(std::string_view text)
{
    int value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

double desktop_scale(std::string_view gdk_scale, std::string_view x_resources)
{
    std::optional<double> found = gdk_scale_of(gdk_scale);
    if (!found)
        found = xft_dpi_of(x_resources);
    return std::clamp(found.value_or(1.0), smallest_scale, largest_scale);
}

} // namespace tolvane
