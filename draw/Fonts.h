#pragma once

#include "draw/Typeface.h"

#include <memory>

namespace tolvane {

// The two faces the windows draw with: the default font, regular and bold.
class Fonts {
public:
    Fonts(std::unique_ptr<Typeface> regular, std::unique_ptr<Typeface> bold);

    Typeface const& face(int weight) const { return weight >= 600 ? *m_bold : *m_regular; }

private:
    std::unique_ptr<Typeface> m_regular;
    std::unique_ptr<Typeface> m_bold;
};

} // namespace tolvane
