#include "boxset/BoxSet.h"
#include "script/State.h"
#include "stage/Clock.h"
#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The keys a window's design lists, which the page offers on the screen to a player without a
// keyboard, are exactly the keys its handler acts on: each listed key changes the window, and no
// other key of the 255 does.
std::vector<int> keys_acted_on(std::string_view window_name)
{
    std::vector<int> acted_on;
    for (int code = 1; code <= 255; ++code) {
        VirtualClock clock;
        Stage stage(clock);
        add_box_set_windows(stage);
        stage.start(startup_window);
        stage.set_visible(window_name, true);
        Window& window = *stage.find(window_name);
        stage.focus_window(window);
        std::string const before = dump_state(stage);
        stage.key_down(code);
        if (dump_state(stage) != before)
            acted_on.push_back(code);
    }
    return acted_on;
}

TEST(WindowKeys, TheDesignListsTheKeysTheWindowActsOn)
{
    VirtualClock clock;
    Stage stage(clock);
    add_box_set_windows(stage);
    stage.start(startup_window);
    std::vector<std::string> names;
    for (std::string_view name : { "Mainform", "Pondleap1", "Pondleap2", "Pondleap3", "Starbreach1", "Helicoptergame" })
        names.emplace_back(name);
    for (std::string const& name : names) {
        stage.set_visible(name, true);
        auto const& listed = stage.find(name)->design().keys;
        std::vector<int> expected(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(keys_acted_on(name), expected) << name;
    }
}

} // namespace
} // namespace tolvane
