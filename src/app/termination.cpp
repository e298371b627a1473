#include "app/termination.h"

#include <csignal>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <unistd.h>

namespace {

int termPipe[2] = { -1, -1 };

void onTerm(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(termPipe[1], &byte, 1);
}

} // namespace

namespace Termination {

bool quitOnTerm(QCoreApplication &app)
{
    if (termPipe[0] < 0 && ::pipe(termPipe) != 0)
        return false;
    auto *notifier = new QSocketNotifier(termPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(termPipe[0], &byte, 1);
        QCoreApplication::exit(0);
    });
    std::signal(SIGTERM, onTerm);
    return true;
}

} // namespace Termination
