// The Linux program: the real services, the Qt renderer and the program's logic.
#include "../../app/program.h"
#include "icons_qt.h"
#include "linux_platform.h"
#include "renderer_qt.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorrel Shutdown"));
    QApplication::setDesktopFileName(QStringLiteral("quorrel-shutdown"));
    QApplication::setWindowIcon(qs::linuxos::programIcon("main"));
    // Hiding the last window (to the tray) ends nothing; the model says when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    qs::linuxos::LinuxPlatform platform;
    qs::linuxos::RendererQt renderer;
    {
        qs::app::Program program(platform.services(), renderer);
        program.start();
        program.run();
    }
    return 0;
}
