#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace tolvane {
namespace {

// A window whose design breaks one of the rules that window code must keep.
class Broken final : public Window {
public:
    enum class Fault { None, SpriteStoredTwice, IndexOutOfRange };

    Broken(Stage& stage, std::string_view name, Fault fault)
        : Window(stage, { .name = name, .caption = name, .client_width = 1500, .client_height = 1500 })
        , m_fault(fault)
    {
        if (fault == Fault::SpriteStoredTwice)
            store({ &imgBall, &imgBall });
        else
            store({ &imgBall, &imgPin.Item(0), &imgPin.Item(1) });
    }

    void Form_Load() override
    {
        if (m_fault == Fault::IndexOutOfRange)
            imgPin.Item(2).Visible = false;
    }

    Image imgBall { { .name = "imgBall" } };
    SpriteArray<Image, 2> imgPin { { Image { { .name = "imgPin(0)" } }, Image { { .name = "imgPin(1)" } } } };

private:
    Fault m_fault;
};

Stage::Factory broken(std::string_view name, Broken::Fault fault)
{
    return [name, fault](Stage& stage) { return std::make_unique<Broken>(stage, name, fault); };
}

// The rules that the program's own code must keep are checked in every build, Release included:
// a broken one stops the program with where it broke and how to mend it, instead of going on
// into undefined behaviour.
TEST(ProgramChecks, ABrokenRuleStopsTheProgramWithHowToMendIt)
{
    struct Case {
        char const* what;
        std::function<void(Stage&)> breaks;
        char const* message;
    };
    Case const cases[] {
        { "a name added twice",
            [](Stage& stage) {
                stage.add_window("Twice", broken("Twice", Broken::Fault::None));
                stage.add_window("Twice", broken("Twice", Broken::Fault::None));
            },
            "a window name is registered twice: give each window one add_window call" },
        { "a factory that makes another window",
            [](Stage& stage) {
                stage.add_window("Asked", broken("Made", Broken::Fault::None));
                stage.start("Asked");
            },
            "a window's factory made a window of another name" },
        { "a sprite stored twice",
            [](Stage& stage) {
                stage.add_window("Twice", broken("Twice", Broken::Fault::SpriteStoredTwice));
                stage.start("Twice");
            },
            "a sprite is stored twice: list each sprite once" },
        { "an index beyond its sprite array",
            [](Stage& stage) {
                stage.add_window("Beyond", broken("Beyond", Broken::Fault::IndexOutOfRange));
                stage.start("Beyond");
            },
            "a sprite array's index is out of its range: index from 0 to Count - 1" },
        { "a window name never added", [](Stage& stage) { stage.show("Nowhere"); }, "no window named 'Nowhere'" },
    };
    for (Case const& c : cases) {
        EXPECT_DEATH(
            {
                VirtualClock clock;
                Stage stage(clock);
                c.breaks(stage);
            },
            std::string(
                "tolvane: a fault in the program at stage/[A-Za-z]+\\.(cpp|h):[0-9]+, where .* does not hold: .*")
                + c.message)
            << c.what;
    }
}

} // namespace
} // namespace tolvane
