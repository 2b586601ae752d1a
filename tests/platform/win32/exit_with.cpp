// exit_with MS CODE: a program for the process tests that runs for a while and ends with a code.
#include <cstdlib>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc > 1)
        Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    return argc > 2 ? std::atoi(argv[2]) : 0;
}
