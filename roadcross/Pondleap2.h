#pragma once

#include "stage/Window.h"

namespace tolvane {

class Pondleap2 final : public Window {
public:
    explicit Pondleap2(Stage&);
};

} // namespace tolvane
