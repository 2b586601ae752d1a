// The Windows program: the real services, the native renderer and the program's logic.
#include "../../app/program.h"
#include "renderer_win.h"
#include "win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    qs::win32::Win32Platform platform;
    qs::win32::RendererWin renderer;
    // Every message of every loop goes past the windows first: Esc, shortcuts, dialog keys.
    platform.clock.setMessageFilter([&renderer](MSG& msg) { return renderer.translate(msg); });
    platform.findWindowsWith([&renderer](const qs::forms::Form& form) { return renderer.window(form); });
    {
        qs::app::Program program(platform.services(), renderer);
        program.start();
        program.run();
    }
    return 0;
}
