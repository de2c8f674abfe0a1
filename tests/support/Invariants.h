#pragma once

#include "stage/Stage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// What must hold in every session of the box set, whatever the player does. Watching the stage,
// it checks every tick against the rules' own arithmetic (what the tick of each game changes and
// by how much, and which result window it shows), what input may change between two ticks, and
// the stage's own promises after every tick and every input. The first broken rule is kept.
class Invariants final : public TickWatcher {
public:
    explicit Invariants(Stage&);
    ~Invariants() override;
    Invariants(Invariants const&) = delete;
    Invariants& operator=(Invariants const&) = delete;

    void before_tick(Window&) override;
    void after_tick(Window&) override;

    // Called by the session after every input it gives the stage.
    void after_input();
    // After the user closed a window: closing never leaves the program without a visible window.
    void after_close();
    // The window was closed and unloaded; a later load starts it afresh. Every close must be told.
    void forget(std::string_view window);
    // A test assigned a window's `Visible`. That reaches states no player can (both alien result
    // windows shown, say), from which the program's own code may leave no window visible.
    void visibility_assigned()
    {
        m_visibility_assigned = true;
        ++m_inputs;
    }

    // The first rule that broke, with the moment it broke; empty while all hold.
    std::string const& broken() const { return m_broken; }

    struct Memory;
    class Report;

private:
    void keep(Report const&, std::string const& where);
    void check_stage(bool closed = false);
    void check_ticked_timer(Window&);

    Stage& m_stage;
    std::unique_ptr<Memory> m_memory;
    std::vector<std::string_view> m_names; // of every window, once the stage knows them
    std::string m_broken;
    std::int64_t m_last_tick_us = 0;
    std::optional<std::int64_t> m_due_before_tick;
    bool m_visibility_assigned = false;
    std::uint64_t m_inputs = 0; // every input counts, so a tick knows whether one came since the last
};

} // namespace tolvane
