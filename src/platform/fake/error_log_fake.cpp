#include "error_log_fake.h"

namespace qs::fake {

void FakeErrorLog::error(const std::string& handler, const std::string& what) {
    transcript_.line("error " + handler + " " + quote(what));
}

void FakeErrorLog::applicationEvent(const std::string& text) {
    transcript_.line("event-log " + quote(text));
}

} // namespace qs::fake
