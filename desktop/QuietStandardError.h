#pragma once

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

// Standard error sent nowhere while SDL opens the desktop or the sound device: what the libraries
// underneath print when a display or a device cannot be had ("No protocol specified", ALSA's
// "Unknown PCM default", ...) would only stand beside our own message, which says what failed.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
#ifdef _WIN32
        int const nowhere = ::open("NUL", O_WRONLY);
#else
        int const nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
#endif
        if (m_saved >= 0 && nowhere >= 0)
            ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0)
            ::close(nowhere);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (m_saved < 0)
            return;
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }
    QuietStandardError(QuietStandardError const&) = delete;
    QuietStandardError& operator=(QuietStandardError const&) = delete;

private:
    int m_saved = -1;
};

} // namespace tolvane
