#pragma once

#include "stage/Window.h"

namespace tolvane {

class Starbreach2 final : public Window {
public:
    explicit Starbreach2(Stage&);
};

} // namespace tolvane
