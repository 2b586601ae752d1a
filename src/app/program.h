#pragma once

#include "../forms/application.h"
#include "../platform/platform.h"
#include "globals.h"

#include <memory>

namespace qs::app {

class frmMain;

// One run of the program: its services, its forms and the program-wide values.
class Program {
public:
    Program(platform::Platform services, forms::Observer& observer);
    ~Program();

    platform::Platform& services() { return services_; }
    forms::Application& application() { return application_; }
    Globals& globals() { return globals_; }
    frmMain& mainWindow() { return *main_; }

    // Creates the main window and runs its start-up sequence; the program may end during it.
    void start();
    // Runs the event loop until the program has ended.
    void run() { application_.run(); }

private:
    platform::Platform services_;
    forms::Application application_;
    Globals globals_;
    std::unique_ptr<frmMain> main_;
};

} // namespace qs::app
