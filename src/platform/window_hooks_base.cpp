#include "window_hooks_base.h"

#include <cstdio>

namespace qs::platform {

namespace {

// Every hook in the program by window: messages come on the one interface thread.
template <class Hook> std::map<WindowHandle, std::shared_ptr<Hook>>& installed() {
    static std::map<WindowHandle, std::shared_ptr<Hook>> hooks;
    return hooks;
}

std::string upperHex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

} // namespace

WindowHooksBase::WindowHooksBase(std::string owner, Dialogs& dialogs, ErrorLog& errors)
    : owner_(std::move(owner)), dialogs_(dialogs), errors_(errors) {}

WindowHooksBase::~WindowHooksBase() {
    // The platform's destructor has released every hook it could; one still in a delivery now
    // has nobody to answer for it.
    for (auto& [window, hook] : installed<Hook>())
        if (hook->owner == this)
            hook->handler = nullptr;
}

bool WindowHooksBase::MessageTable::holds(unsigned message) const {
    if (count == kAllMessages)
        return true;
    for (int i = 0; i < count; ++i)
        if (entries[i] != 0 && static_cast<unsigned>(entries[i]) == message)
            return true;
    return false;
}

void WindowHooksBase::report(const std::string& routine, const std::string& message) {
    dialogs_.messageBox(message + ".", kStyleExclamation, "Error in " + owner_ + "." + routine);
    errors_.applicationEvent(owner_ + "." + routine + ": " + message);
}

bool WindowHooksBase::subclass(WindowHandle window, std::intptr_t userValue, Handler handler) {
    if (!isWindow(window)) {
        report("ssc_Subclass", "Invalid window handle");
        return false;
    }
    if (!isOwnWindow(window)) {
        report("ssc_Subclass", "Window handle belongs to another process");
        return false;
    }
    if (!handler) {
        report("ssc_Subclass", "Callback method not found");
        return false;
    }
    auto& all = installed<Hook>();
    if (const auto it = all.find(window); it != all.end() && !it->second->release) {
        // Hooked already: the procedure stays in front; the new owner's handler takes over.
        it->second->owner->hooks_.erase(window);
        it->second->owner = this;
        it->second->userValue = userValue;
        it->second->handler = std::move(handler);
        hooks_[window] = it->second;
        return true;
    }
    auto hook = std::make_shared<Hook>(Hook{this, window, userValue, std::move(handler), {}, {}});
    // Known before the procedure is in front: the window may get a message as soon as it is.
    all[window] = hook;
    if (const unsigned long error = replaceProcedure(window); error != 0) {
        all.erase(window);
        report("ssc_Subclass", "SetWindowLong failed, error #" + std::to_string(error));
        return false;
    }
    hooks_[window] = hook;
    return true;
}

WindowHooksBase::Hook* WindowHooksBase::find(WindowHandle window) {
    if (const auto it = hooks_.find(window); it != hooks_.end())
        return it->second.get();
    report("zMap_VFunction", "Thunk type for ID of " + std::to_string(window) + "h does not exist");
    return nullptr;
}

void WindowHooksBase::watch(WindowHandle window, int message, int delivery) {
    Hook* hook = find(window);
    if (!hook)
        return;
    if (delivery & kDeliverBefore)
        addMessage(message, hook->before);
    if (delivery & kDeliverAfter)
        addMessage(message, hook->after);
}

void WindowHooksBase::unwatch(WindowHandle window, int message, int delivery) {
    Hook* hook = find(window);
    if (!hook)
        return;
    if (delivery & kDeliverBefore)
        deleteMessage(message, hook->before);
    if (delivery & kDeliverAfter)
        deleteMessage(message, hook->after);
}

void WindowHooksBase::addMessage(int message, MessageTable& table) {
    if (message == kAllMessages) {
        table.count = kAllMessages;
        return;
    }
    if (table.count >= kMessageEntries) {
        report("zAddMsg", "Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
                          "ALL_MESSAGES instead of specific message values");
        return;
    }
    if (table.count < 0)
        return; // every message is watched already
    for (int i = 0; i < table.count; ++i) {
        if (table.entries[i] == 0) {
            table.entries[i] = message;
            return;
        }
        if (table.entries[i] == message)
            return;
    }
    table.entries[table.count++] = message;
}

void WindowHooksBase::deleteMessage(int message, MessageTable& table) {
    if (message == kAllMessages) {
        table.count = 0;
        return;
    }
    for (int i = 0; i < table.count; ++i) {
        if (table.entries[i] == message) {
            table.entries[i] = 0;
            return;
        }
    }
    report("zDelMsg", "Message &H" + upperHex(message) + " not found in table");
}

bool WindowHooksBase::dispatch(WindowHandle window, const WindowMessage& message, std::intptr_t& result) {
    auto& all = installed<Hook>();
    const auto it = all.find(window);
    if (it == all.end())
        return false;
    const std::shared_ptr<Hook> hook = it->second; // alive to the end of this delivery
    result = hook->owner->deliver(*hook, message);
    return true;
}

std::intptr_t WindowHooksBase::deliver(Hook& hook, const WindowMessage& message) {
    ++hook.nesting;
    bool handled = false;
    std::intptr_t result = 0;
    const auto call = [&](bool before) {
        if (hook.handler) {
            HookedMessage m{before, handled, result, hook.window, message, hook.userValue};
            hook.handler(m);
        }
    };
    if (hook.before.holds(message.message))
        call(true);
    if (message.message == kDestroyMessage)
        hook.release = true;
    else if (handled) {
        --hook.nesting;
        return result;
    }
    result = callOwnProcedure(hook.window, message);
    if (hook.release && hook.nesting == 1) {
        free(hook);
        --hook.nesting;
        return result;
    }
    if (hook.after.holds(message.message))
        call(false);
    // A release asked for inside this delivery, after the own procedure ran: done now that the
    // outermost delivery ends, so no window keeps a procedure whose hook is gone.
    if (--hook.nesting == 0 && hook.release)
        free(hook);
    return result;
}

void WindowHooksBase::free(Hook& hook) {
    if (!hook.installed)
        return;
    hook.installed = false;
    restoreProcedure(hook.window);
    auto& all = installed<Hook>();
    if (const auto it = all.find(hook.window); it != all.end() && it->second.get() == &hook)
        all.erase(it);
    if (const auto it = hook.owner->hooks_.find(hook.window);
        it != hook.owner->hooks_.end() && it->second.get() == &hook)
        hook.owner->hooks_.erase(it);
}

void WindowHooksBase::releaseAll() {
    const auto hooks = hooks_;
    for (const auto& [window, hook] : hooks) {
        hook->release = true;
        hook->before.count = 0;
        hook->after.count = 0;
        if (hook->installed && isWindow(window))
            sendMessage(window, {}); // the hook removes itself as the null message passes
        if (hook->installed && hook->nesting == 0)
            free(*hook); // the window is gone, or the message did not come through the hook
    }
    hooks_.clear();
}

} // namespace qs::platform
