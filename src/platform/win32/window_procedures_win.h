#pragma once

#include "../window_procedures.h"

namespace qs::win32 {

class Win32WindowProcedures : public platform::WindowProcedures {
public:
    void replace(forms::Form&, Procedure) override {} // SCAFFOLD
    void restore(forms::Form&) override {}
};

} // namespace qs::win32
