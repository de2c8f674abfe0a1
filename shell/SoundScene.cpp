#include "shell/SoundScene.h"

namespace tolvane {

SoundScene SoundScene::of(Stage const& stage)
{
    SoundScene scene;
    for (std::string_view const name : stage.window_names()) {
        Window const* window = stage.find(name);
        if (!window || !window->visible())
            continue;
        scene.game_runs = scene.game_runs || (window->timer() && window->timer()->due_us());
        for (int loop = 0; loop < loop_count; ++loop)
            scene.held[static_cast<std::size_t>(loop)]
                = scene.held[static_cast<std::size_t>(loop)] || window->holds(static_cast<Loop>(loop));
    }
    return scene;
}

} // namespace tolvane
