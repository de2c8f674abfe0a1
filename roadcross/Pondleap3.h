#pragma once

#include "stage/Window.h"

namespace tolvane {

// The road-crossing game's help: one paragraph of text. It handles no events.
class Pondleap3 final : public Window {
public:
    explicit Pondleap3(Stage&);

    Label Label1;
};

} // namespace tolvane
