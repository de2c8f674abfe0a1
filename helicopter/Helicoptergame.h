#pragma once

#include "stage/Window.h"

namespace tolvane {

class Helicoptergame final : public Window {
public:
    explicit Helicoptergame(Stage&);
};

} // namespace tolvane
