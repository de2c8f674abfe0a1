#pragma once

#include <vector>

namespace tolvane {

// Decides which X errors the player is told of. Errors about a window of ours that is gone are
// expected: SDL's two connections to the server, and other clients that destroy windows, make
// them in normal play. They are passed over without a word. Any other error is reported, but
// only the first time an error of its kind (its code and the request that caused it) comes, so
// that a fault repeated every frame is still one line.
class XErrorSifter {
public:
    // A window this program made: once the server no longer knows it, errors naming it are
    // expected.
    void own(unsigned long x_window);
    // A window known to be gone: every error about it is expected.
    void gone(unsigned long x_window);
    // Whether an error is worth a line on standard error.
    bool worth_reporting(int error_code, int request_code, int minor_code, unsigned long resource);

private:
    struct Kind {
        int error_code;
        int request_code;
        int minor_code;
        bool operator==(Kind const&) const = default;
    };
    std::vector<unsigned long> m_owned;
    std::vector<unsigned long> m_gone;
    std::vector<Kind> m_reported;
};

} // namespace tolvane
