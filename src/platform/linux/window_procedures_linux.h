#pragma once

#include "../window_procedures.h"

namespace qs::linuxos {

class LinuxWindowProcedures : public platform::WindowProcedures {
public:
    void replace(forms::Form&, Procedure) override {} // SCAFFOLD
    void restore(forms::Form&) override {}
};

} // namespace qs::linuxos
