#pragma once

#include "stage/Window.h"

namespace tolvane {

class Pondleap1 final : public Window {
public:
    explicit Pondleap1(Stage&);
};

} // namespace tolvane
