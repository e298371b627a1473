#pragma once

// The program from its command line to its exit status: help and the version, the refusal
// to run as root with the sandbox on, the hand-over to a browser already running, and the
// browser itself. main() runs it and nothing else.
namespace Program {

int run(int argc, char *argv[]);

} // namespace Program
