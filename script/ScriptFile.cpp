#include "script/ScriptFile.h"

#include "cli/CommandLine.h"
#include "script/Script.h"
#include "script/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Without the C library's locking, the standard streams read and write straight through file
// buffers, which also pass on the reason when reading or writing fails.
void prepare_standard_streams()
{
    std::ios::sync_with_stdio(false);
    // A reader that went away makes a write fail with EPIPE, reported like any other failure,
    // instead of killing the program silently with SIGPIPE (Windows has no such signal: the write
    // fails there anyway).
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

int cannot_open(std::string_view name, int error)
{
    std::cerr << escaped(name) << ": " << std::strerror(error) << '\n';
    return 2;
}

int play_standard_input(ScriptRunner& runner)
{
    // A closed descriptor 0 could otherwise be taken over by the next file opened. Windows' C
    // library has no fcntl; a missing standard input there fails the first read instead.
#ifdef F_GETFD
    if (fcntl(STDIN_FILENO, F_GETFD) == -1)
        return cannot_open("standard input", errno);
#endif
    return runner.run(std::cin, std::cout, std::cerr, "standard input");
}

} // namespace

bool is_a_file(int descriptor)
{
    struct stat status { };
    return fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

int play_script(std::string_view path)
{
    prepare_standard_streams();
    catch_stop_signals();
    ScriptRunner runner;
    runner.answer_each_line(!is_a_file(STDOUT_FILENO));
    if (path == "-")
        return play_standard_input(runner);
    std::ifstream file { std::string(path) };
    if (!file)
        return cannot_open(path, errno);
    return runner.run(file, std::cout, std::cerr, path);
}

} // namespace tolvane
