// qshutdown-sim: runs the program on the fake backend from a script and prints what happens.
#include "script.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: qshutdown-sim [SCRIPT]\n";
        return 2;
    }
    std::ifstream file;
    if (argc == 2) {
        file.open(argv[1]);
        if (!file) {
            std::cerr << "qshutdown-sim: cannot open " << argv[1] << '\n';
            return 2;
        }
    }
    qs::sim::Script script(argc == 2 ? static_cast<std::istream&>(file) : std::cin, std::cout);
    return script.run(std::cerr);
}
