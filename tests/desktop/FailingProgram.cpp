#include "desktop/Session.h"
#include "stage/Stage.h"

#include <memory>
#include <stdexcept>

// A program of one window whose first tick fails, as a handler that ran out of memory would: what
// the desktop does with a failure of the program's own code.
namespace {

class Failing final : public tolvane::Window {
public:
    explicit Failing(tolvane::Stage& stage)
        : Window(stage, { .name = "Failing", .caption = "Failing", .client_width = 3000, .client_height = 1500 })
    { }

    tolvane::Timer Timer1 { *this, { .interval = 1, .enabled = true } };

    void Timer1_Timer() override { throw std::runtime_error("a failure planted by the test"); }
};

} // namespace

int main()
{
    auto const add_windows = [](tolvane::Stage& stage) {
        stage.add_window("Failing", [](tolvane::Stage& s) { return std::make_unique<Failing>(s); });
    };
    return tolvane::play_on_desktop(add_windows, "Failing");
}
