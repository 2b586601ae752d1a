#include "error_log.h"

#include <exception>

namespace qs::platform {

std::string currentErrorText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

} // namespace qs::platform
