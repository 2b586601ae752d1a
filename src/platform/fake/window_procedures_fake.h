#pragma once

#include "../window_procedures.h"

namespace qs::fake {

class FakeWindowProcedures : public platform::WindowProcedures {
public:
    void replace(forms::Form&, Procedure) override {} // SCAFFOLD
    void restore(forms::Form&) override {}
};

} // namespace qs::fake
