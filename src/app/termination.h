#pragma once

class QCoreApplication;

// SIGTERM ends the program's event loop with status 0, without asking: quit() would ask the
// window, which asks the user about downloads under way; they are cancelled and leave
// nothing behind. The signal only writes to a pipe, which the event loop reads.
namespace Termination {

// From now on, for the application's life; false when no pipe could be made.
bool quitOnTerm(QCoreApplication &app);

} // namespace Termination
