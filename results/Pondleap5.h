#pragma once

#include "stage/Window.h"

namespace tolvane {

class Pondleap5 final : public Window {
public:
    explicit Pondleap5(Stage&);
};

} // namespace tolvane
