// The script as the desktop's shell: notifications about the tray icon, a new taskbar, the shell
// library's version.
#include "script.h"

#include <cstdlib>
#include <map>

namespace qs::sim {

namespace {

// The mouse messages the shell passes on as the icon's notification codes.
unsigned mouseCode(const std::string& action, const std::string& button) {
    static const std::map<std::string, unsigned> actions{{"down", 0}, {"up", 1}, {"dblclick", 2}};
    static const std::map<std::string, unsigned> buttons{{"left", 0x201}, {"right", 0x204}, {"middle", 0x207}};
    const auto a = actions.find(action);
    const auto b = buttons.find(button);
    if (a == actions.end() || b == buttons.end())
        throw ScriptError("expected tray down|up|dblclick left|right|middle");
    return b->second + a->second;
}

unsigned trayCode(const std::string& rest) {
    static const std::map<std::string, unsigned> codes{{"move", 0x200},
                                                       {"balloon-shown", platform::kBalloonShown},
                                                       {"balloon-hidden", platform::kBalloonHidden},
                                                       {"balloon-timeout", platform::kBalloonTimeout},
                                                       {"balloon-click", platform::kBalloonClick}};
    if (const auto it = codes.find(rest); it != codes.end())
        return it->second;
    const size_t space = rest.find(' ');
    if (space == std::string::npos)
        throw ScriptError("unknown tray notification \"" + rest + "\"");
    return mouseCode(rest.substr(0, space), rest.substr(space + 1));
}

} // namespace

void Script::shell(const std::string& command, const std::string& rest) {
    fake::FakeTray& tray = platform_.tray;
    if (command == "tray" && rest == "hook fails") {
        tray.failNextHook();
    } else if (command == "tray" && rest == "unavailable") {
        tray.setAvailable(false);
    } else if (command == "tray" || command == "taskbar-created") {
        if (!program_)
            throw ScriptError("the program has not been started");
        // Without an icon in the notification area the shell has nobody to tell.
        if (command == "tray")
            tray.notify(trayCode(rest));
        else
            tray.taskbarCreated();
    } else if (rest == "none") { // shell32
        tray.setShellVersion(std::nullopt);
    } else {
        const int major = std::atoi(rest.c_str());
        if (major <= 0 || std::to_string(major) != rest)
            throw ScriptError("expected shell32 MAJOR|none");
        tray.setShellVersion(major);
    }
}

} // namespace qs::sim
