#include "program.h"

#include "frmMain.h"

namespace qs::app {

Program::Program(platform::Platform services, forms::Observer& observer)
    : services_(services), application_(services.clock, observer, services.errors) {}

Program::~Program() = default;

void Program::start() {
    main_ = std::make_unique<frmMain>(*this);
    application_.setMainForm(*main_);
    main_->load();
    if (!application_.ended() && main_->isLoaded() && main_->showAfterLoad()) {
        if (main_->minimizeAfterLoad())
            main_->minimize();
        else
            main_->show();
    }
}

} // namespace qs::app
