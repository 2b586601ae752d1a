// Stands in for WIN95IO.DLL in the tests: ports are cells of memory.
#include <windows.h>

namespace {
short ports[65536];
}

extern "C" __declspec(dllexport) void WINAPI vbOut(short port, short value) {
    ports[static_cast<unsigned short>(port)] = value;
}

extern "C" __declspec(dllexport) short WINAPI vbInp(short port) {
    return ports[static_cast<unsigned short>(port)];
}
