#pragma once

#include "stage/Window.h"

namespace tolvane {

class Pondleap4 final : public Window {
public:
    explicit Pondleap4(Stage&);
};

} // namespace tolvane
