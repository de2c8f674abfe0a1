#pragma once

#include "shell/Typeface.h"

#include <memory>
#include <optional>
#include <string>

namespace tolvane {

// The two faces the windows draw with: the default font, regular and bold.
class Fonts {
public:
    // Both faces, or a message saying why they cannot be had.
    static std::unique_ptr<Fonts> open(std::string& error);

    Typeface const& face(int weight) const { return weight >= 600 ? *m_bold : *m_regular; }

private:
    Fonts(std::unique_ptr<Typeface> regular, std::unique_ptr<Typeface> bold);

    std::unique_ptr<Typeface> m_regular;
    std::unique_ptr<Typeface> m_bold;
};

} // namespace tolvane
