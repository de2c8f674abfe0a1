#pragma once

#include "stage/Window.h"

namespace tolvane {

class Starbreach1 final : public Window {
public:
    explicit Starbreach1(Stage&);
};

} // namespace tolvane
