#include "window/qt/FatalSignals.h"

#if defined(__SANITIZE_ADDRESS__)

// AddressSanitizer's own handlers tell more.
void endFatalSignalsWithALine() {}

#else

#include "window/Failure.h"

#include <array>
#include <csignal>
#include <string>
#include <unistd.h>

namespace {

struct FatalSignal {
    int number;
    const char* what;
    std::string line;  // made before any signal: a handler may not allocate
};

std::array<FatalSignal, 5> fatalSignals{{
    {SIGSEGV, "a memory access fault (SIGSEGV)", {}},
    {SIGBUS, "a fault on mapped memory (SIGBUS)", {}},
    {SIGABRT, "an abort (SIGABRT)", {}},
    {SIGILL, "an illegal instruction (SIGILL)", {}},
    {SIGFPE, "an arithmetic fault (SIGFPE)", {}},
}};

// A stack of its own, so that the line is written even when the fault is the stack's end.
alignas(16) char handlerStack[64 * 1024];

extern "C" void endWithLine(int number)
{
    for (const FatalSignal& signal : fatalSignals) {
        if (signal.number != number)
            continue;
        const ssize_t written = write(STDERR_FILENO, signal.line.data(), signal.line.size());
        static_cast<void>(written);
    }
    _exit(1);
}

} // namespace

void endFatalSignalsWithALine()
{
    stack_t stack{};
    stack.ss_sp = handlerStack;
    stack.ss_size = sizeof handlerStack;
    sigaltstack(&stack, nullptr);
    for (FatalSignal& signal : fatalSignals) {
        signal.line = failureLine({FailureKind::Bug, std::string(signal.what)
                                                         + "; where memory is limited (ulimit -v), it may have run out"});
        struct sigaction action {};
        action.sa_handler = endWithLine;
        action.sa_flags = SA_ONSTACK | SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(signal.number, &action, nullptr);
    }
}

#endif
