#pragma once
// Runs a check in a child process as a user without root's power to write
// any file, so that write protection holds when the tests run as root.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

// What `check` returns: the problems it found, empty when none (plus a note
// when the child could not run it).
inline std::string AsUnprivilegedUser(const std::function<std::string()>& check) {
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::string problems;
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            problems = "cannot drop root";
        else
            problems = check();
        const ssize_t written = ::write(fds[1], problems.data(), problems.size());
        ::_exit(written == static_cast<ssize_t>(problems.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string problems;
    char buffer[512];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        problems.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        problems += " (the child failed)";
    return problems;
}
