#include "play/Scale.h"

#include "stage/FloatText.h"

namespace tolvane {

std::optional<double> number_of(std::string_view text)
{
    double value = 0;
    auto const [end, error] = float_chars::parse(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> scale_of(std::string_view text)
{
    auto const value = number_of(text);
    if (!value || !(*value >= smallest_scale) || !(*value <= largest_scale))
        return std::nullopt;
    return value;
}

} // namespace tolvane
