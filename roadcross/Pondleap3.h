#pragma once

#include "stage/Window.h"

namespace tolvane {

class Pondleap3 final : public Window {
public:
    explicit Pondleap3(Stage&);
};

} // namespace tolvane
