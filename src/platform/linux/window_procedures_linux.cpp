#include "window_procedures_linux.h"

namespace qs::linuxos {

void LinuxWindowProcedures::replace(forms::Form& form, Procedure procedure) {
    procedures_[&form] = std::move(procedure);
}

void LinuxWindowProcedures::restore(forms::Form& form) {
    procedures_.erase(&form);
}

} // namespace qs::linuxos
