#include "callback_table.h"

namespace qs::platform {

namespace {

std::map<CallbackAddress, WindowHooks::Callback>& callbacks() {
    static std::map<CallbackAddress, WindowHooks::Callback> table;
    return table;
}

} // namespace

CallbackAddress CallbackTable::address(WindowHooks::Callback callback) {
    static CallbackAddress last = 0x1000;
    if (address_ == 0)
        address_ = ++last;
    callbacks()[address_] = std::move(callback);
    return address_;
}

void CallbackTable::releaseAll() {
    if (address_ != 0)
        callbacks().erase(address_);
    address_ = 0;
}

std::intptr_t CallbackTable::call(CallbackAddress address, WindowHandle window, unsigned message, std::uintptr_t id,
                                  std::uint32_t time) {
    const auto it = callbacks().find(address);
    if (it == callbacks().end())
        return 0;
    // A copy: the procedure may release its own address.
    const WindowHooks::Callback callback = it->second;
    return callback(window, message, id, time);
}

} // namespace qs::platform
