#include "play/SoundScene.h"

namespace tolvane {

SoundScene SoundScene::of(Stage const& stage)
{
    SoundScene scene;
    stage.for_each_loaded_window([&](Window const& window) {
        if (!window.visible())
            return;
        scene.game_runs = scene.game_runs || (window.timer() && window.timer()->due_us());
        for (int loop = 0; loop < loop_count; ++loop)
            scene.held[static_cast<std::size_t>(loop)]
                = scene.held[static_cast<std::size_t>(loop)] || window.holds(static_cast<Loop>(loop));
    });
    return scene;
}

} // namespace tolvane
