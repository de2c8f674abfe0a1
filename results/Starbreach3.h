#pragma once

#include "stage/Window.h"

namespace tolvane {

class Starbreach3 final : public Window {
public:
    explicit Starbreach3(Stage&);
};

} // namespace tolvane
