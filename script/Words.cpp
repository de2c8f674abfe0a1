#include "script/Words.h"

#include "stage/FloatText.h"

#include <cmath>
#include <limits>

namespace tolvane {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::string one_of(std::vector<std::string_view> const& names)
{
    std::string text;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (index > 0)
            text += index + 1 == names.size() ? " or " : ", ";
        text += names[index];
    }
    return text;
}

Words::Words(std::string_view line)
    : m_rest(line)
    , m_command(next())
{ }

std::string_view Words::next()
{
    while (!m_rest.empty() && is_blank(m_rest.front()))
        m_rest.remove_prefix(1);
    std::size_t end = 0;
    while (end < m_rest.size() && !is_blank(m_rest[end]))
        ++end;
    std::string_view const word = m_rest.substr(0, end);
    m_rest.remove_prefix(end);
    return word;
}

std::string_view Words::required(std::string_view what)
{
    std::string_view const word = next();
    if (word.empty())
        fail(std::string(m_command) + " needs " + std::string(what));
    return word;
}

std::pair<std::string_view, std::string_view> Words::target_and_value()
{
    std::string_view const target = next();
    if (target.empty())
        fail(std::string(m_command) + " needs a TARGET and a VALUE");
    if (m_rest.empty())
        fail(std::string(m_command) + " needs a VALUE after " + quoted(target));
    std::string_view const value = m_rest.substr(1);
    m_rest = {};
    return { target, value };
}

void Words::finish()
{
    if (!next().empty())
        fail("too many words for " + quoted(m_command));
}

double decimal_number(std::string_view word, std::string_view what)
{
    double value = 0;
    auto const [end, error] = float_chars::parse(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc {} || end != word.data() + word.size() || !std::isfinite(value))
        fail("bad " + std::string(what) + " " + quoted(word) + ": expected a decimal number");
    return value;
}

float single_number(std::string_view word)
{
    // Half a unit in the last place above the largest float: from here on rounding gives infinity.
    constexpr double largest = std::numeric_limits<float>::max();
    double const overflow = largest + std::ldexp(1.0, 103);
    double const value = decimal_number(word, "number");
    if (std::abs(value) >= overflow)
        fail("bad number " + quoted(word) + ": expected a decimal number from -3.4028235e38 to 3.4028235e38");
    return static_cast<float>(value);
}

bool boolean(std::string_view word)
{
    if (word == "True")
        return true;
    if (word == "False")
        return false;
    fail("bad value " + quoted(word) + ": expected True or False");
}

} // namespace tolvane
