// The Linux program: the real services, the Qt renderer and the program's logic.
#include "../../app/program.h"
#include "icons_qt.h"
#include "linux_platform.h"
#include "renderer_qt.h"
#include "termination_signals_linux.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Caught before anything else, so a logout during start-up still ends through the exit sequence.
    qs::linuxos::TerminationSignals termination;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorrel Shutdown"));
    QApplication::setDesktopFileName(QStringLiteral("quorrel-shutdown"));
    QApplication::setWindowIcon(qs::linuxos::programIcon("main"));
    // Hiding the last window (to the tray) ends nothing; the model says when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    qs::linuxos::LinuxPlatform platform;
    qs::linuxos::RendererQt renderer;
    platform.fileDialog.setWindowLookup([&renderer](const qs::forms::Form& form) { return renderer.window(form); });
    {
        qs::app::Program program(platform.services(), renderer);
        program.start();
        // A signal is the session's end; one that came during start-up is taken now.
        termination.watch([&renderer] { renderer.sessionEnds(); });
        program.run();
        termination.watch({});
    }
    return 0;
}
