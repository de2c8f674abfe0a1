#include "cli/Quoting.h"

#include <cstdio>

namespace tolvane {

namespace {

constexpr std::size_t quoted_characters = 80;

unsigned byte_at(std::string_view text, std::size_t index)
{
    return index < text.size() ? static_cast<unsigned char>(text[index]) : 0;
}

// The well-formed UTF-8 sequences by their first byte. The range allowed for the second byte
// rules out overlong forms, surrogates and code points beyond U+10FFFF; later bytes are 80..BF.
struct Utf8Form {
    unsigned first_low, first_high, second_low, second_high;
    std::size_t length;
};
constexpr Utf8Form utf8_forms[] = {
    { 0xC2, 0xDF, 0x80, 0xBF, 2 },
    { 0xE0, 0xE0, 0xA0, 0xBF, 3 },
    { 0xE1, 0xEC, 0x80, 0xBF, 3 },
    { 0xED, 0xED, 0x80, 0x9F, 3 },
    { 0xEE, 0xEF, 0x80, 0xBF, 3 },
    { 0xF0, 0xF0, 0x90, 0xBF, 4 },
    { 0xF1, 0xF3, 0x80, 0xBF, 4 },
    { 0xF4, 0xF4, 0x80, 0x8F, 4 },
};

bool follows(Utf8Form const& form, std::string_view text)
{
    unsigned const second = byte_at(text, 1);
    if (second < form.second_low || second > form.second_high)
        return false;
    for (std::size_t index = 2; index < form.length; ++index)
        if (byte_at(text, index) < 0x80 || byte_at(text, index) > 0xBF)
            return false;
    return true;
}

// The length of the UTF-8 sequence at the front of a non-empty text, or 0 when it is not one.
std::size_t sequence_length(std::string_view text)
{
    unsigned const first = byte_at(text, 0);
    if (first < 0x80)
        return 1;
    for (Utf8Form const& form : utf8_forms)
        if (first >= form.first_low && first <= form.first_high)
            return follows(form, text) ? form.length : 0;
    return 0;
}

void append_escaped(std::string& text, unsigned char byte)
{
    if (byte == '\n')
        text += "\\n";
    else if (byte == '\t')
        text += "\\t";
    else if (byte == '\r')
        text += "\\r";
    else {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
        text += buffer;
    }
}

// Appends one character from the front of `word` and returns how many bytes it took. Control
// characters and bytes that are not UTF-8 are escaped, so a message never carries them raw.
std::size_t append_character(std::string& text, std::string_view word)
{
    auto const first = static_cast<unsigned char>(word.front());
    std::size_t const length = sequence_length(word);
    if (length == 0 || first < 0x20 || first == 0x7F) {
        append_escaped(text, first);
        return 1;
    }
    text += word.substr(0, length);
    return length;
}

} // namespace

std::string escaped(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();)
        at += append_character(result, text.substr(at));
    return result;
}

// The text is built by appending its parts: g++ 12's optimiser takes `"'" + word + "'"` for an
// overlapping copy and warns with -Wrestrict in Release builds.
std::string quoted(std::string_view word)
{
    std::string text;
    text += '\'';
    std::size_t at = 0;
    for (std::size_t characters = 0; at < word.size() && characters < quoted_characters; ++characters)
        at += append_character(text, word.substr(at));
    if (at < word.size())
        text += "...";
    text += '\'';
    return text;
}

std::optional<std::size_t> invalid_utf8_at(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at; // the common case, checked without a call
            continue;
        }
        std::size_t const length = sequence_length(text.substr(at));
        if (length == 0)
            return at;
        at += length;
    }
    return std::nullopt;
}

} // namespace tolvane
