#include "app/program.h"

int main(int argc, char *argv[])
{
    return Program::run(argc, argv);
}
