#include "error_log_fake.h"

namespace qs::fake {

void FakeErrorLog::error(const std::string& handler, const std::string& what) {
    transcript_.line("error " + handler + " " + quote(what));
}

void FakeErrorLog::applicationEvent(const std::string& text) {
    transcript_.line("eventlog error " + quote(text));
}

} // namespace qs::fake
