#include "script.h"

#include "../../src/app/frmMain.h"
#include "../../src/app/time_text.h"
#include "../../src/forms/control_cast.h"
#include "../../src/forms/progress_bar.h"
#include "../../src/platform/fake/shortcut_fake.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace qs::sim {

namespace {

std::string trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// The first word and the rest of the line after one blank (the rest keeps its blanks).
std::pair<std::string, std::string> split(const std::string& line) {
    const size_t space = line.find(' ');
    if (space == std::string::npos)
        return {line, ""};
    return {line.substr(0, space), line.substr(space + 1)};
}

std::string boolText(bool v) {
    return v ? "True" : "False";
}

std::string hms(int seconds) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

std::string colour(std::uint32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&H%08X&", c);
    return buf;
}

bool yesNo(const std::string& word) {
    if (word == "yes")
        return true;
    if (word == "no")
        return false;
    throw ScriptError("expected yes or no, not \"" + word + "\"");
}

int integer(const std::string& text) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::logic_error&) { // not a number, or out of range
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw ScriptError("not a number: \"" + text + "\"");
    return value;
}

double seconds(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || value < 0)
        throw ScriptError("bad number of seconds " + text);
    return value;
}

} // namespace

Script::Script(std::istream& in, std::ostream& out) : platform_(out), observer_(platform_.transcript) {
    observer_.loaded = [this](forms::Form& form) {
        if (&form == &program_->mainWindow())
            traceDownloads(program_->mainWindow());
    };
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
    }
}

Script::~Script() {
    // The script ended with the program still running: its teardown is no part of the run.
    std::ostringstream discarded;
    platform_.transcript.redirect(discarded);
    program_.reset();
}

int Script::run(std::ostream& errors) {
    std::string failure;
    platform_.clock.setPump([this, &failure] {
        if (!failure.empty())
            return false;
        try {
            return step();
        } catch (const ScriptError& e) {
            failure = "line " + std::to_string(current_ + 1) + ": " + e.what();
            return false;
        }
    });
    // The outermost loop: runs until the script ends (or fails), nested loops included.
    platform_.clock.runUntil([] { return false; });
    if (!failure.empty()) {
        errors << "qshutdown-sim: " << failure << '\n';
        return 2;
    }
    return 0;
}

bool Script::step() {
    while (next_ < lines_.size()) {
        current_ = next_++;
        std::string line = lines_[current_];
        const std::string stripped = trim(line);
        if (stripped.empty() || stripped[0] == '#')
            continue;
        const size_t lead = line.find_first_not_of(" \t");
        line = line.substr(lead);
        const std::string first = split(line).first;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t') && first != "type" && first != "set" &&
               first != "serve")
            line.pop_back();
        auto [command, rest] = split(line);
        execute(command, rest);
        // Answers to downloads arrive as events do: once the line has been carried out.
        if (program_ && !program_->application().ended())
            platform_.downloads.deliver();
        return true;
    }
    return false;
}

forms::Form& Script::form(const std::string& name) {
    if (!program_)
        throw ScriptError("the program has not been started");
    if (name == "frmMain")
        return program_->mainWindow();
    if (forms::Form* f = program_->application().findForm(name))
        return *f;
    throw ScriptError("no window " + name);
}

void Script::resolve(const std::string& ref, forms::Control*& control, forms::MenuItem*& item) {
    control = nullptr;
    item = nullptr;
    std::string formName = "frmMain", name = ref;
    if (const size_t dot = ref.find('.'); dot != std::string::npos) {
        formName = ref.substr(0, dot);
        name = ref.substr(dot + 1);
    }
    int index = -1;
    if (const size_t open = name.find('('); open != std::string::npos) {
        if (name.back() != ')')
            throw ScriptError("bad name " + ref);
        index = integer(name.substr(open + 1, name.size() - open - 2));
        name = name.substr(0, open);
    }
    forms::Form& f = form(formName);
    control = f.find(name, index);
    if (!control)
        item = f.findMenu(name, index);
    if (!control && !item)
        throw ScriptError("no control " + ref);
}

void Script::execute(const std::string& command, const std::string& rest) {
    auto& fp = platform_;
    if (command == "clock") {
        DateTime t;
        if (!DateTime::parseIso(rest, t))
            throw ScriptError("bad clock " + rest);
        fp.clock.setNow(t);
    } else if (command == "os") {
        if (rest == "nt")
            fp.power.setVersion({2, 5, 1, 2600});
        else if (rest == "9x")
            fp.power.setVersion({1, 4, 10, 2222});
        else if (rest == "win32s")
            fp.power.setVersion({0, 3, 10, 0});
        else
            throw ScriptError("unknown os " + rest);
    } else if (command == "can") {
        auto [what, answer] = split(rest);
        if (what == "hibernate")
            fp.power.setHibernateAllowed(yesNo(answer));
        else if (what == "suspend")
            fp.power.setSuspendAllowed(yesNo(answer));
        else
            throw ScriptError("unknown capability " + what);
    } else if (command == "power") {
        auto [what, reason] = split(rest);
        if (what != "fails")
            throw ScriptError("expected power fails [TEXT]");
        fp.power.failNextCall(reason);
    } else if (command == "another-instance") {
        fp.processes.setAnotherInstance(true);
    } else if (command == "folder") {
        fp.files.setProgramFolder(rest);
    } else if (command == "exe") {
        fp.files.setExeName(rest);
    } else if (command == "readonly") {
        auto [what, answer] = split(rest);
        if (what == "folder")
            fp.files.setReadOnly(yesNo(answer));
        else if (what == "HKLM")
            fp.registry.setReadOnly(platform::RegistryRoot::LocalMachine, yesNo(answer));
        else if (what == "HKCU")
            fp.registry.setReadOnly(platform::RegistryRoot::CurrentUser, yesNo(answer));
        else if (what == "file" && !answer.empty())
            fp.files.setReadOnlyFile(answer);
        else
            throw ScriptError("unknown readonly target " + what);
    } else if (command == "file") {
        readFile(rest);
    } else if (command == "exists") {
        if (rest.empty())
            throw ScriptError("exists needs a path");
        fp.files.put(rest, "");
    } else if (command == "shortcut") {
        auto [path, target] = split(rest);
        if (path.empty() || target.empty())
            throw ScriptError("expected shortcut PATH TARGET");
        fp.files.put(path, fake::shortcutBytes(target));
    } else if (command == "truncate") {
        auto [path, bytes] = split(rest);
        const int size = integer(bytes);
        if (size < 0 || !fp.files.truncate(path, static_cast<size_t>(size)))
            throw ScriptError("cannot truncate " + rest);
    } else if (command == "pick") {
        if (rest == "cancel")
            fp.fileDialog.queueCancel();
        else if (!rest.empty())
            fp.fileDialog.queuePick(rest);
        else
            throw ScriptError("expected pick PATH|cancel");
    } else if (command == "media") {
        if (rest != "fails")
            throw ScriptError("expected media fails");
        fp.media.failNextFile();
    } else if (command == "answer") {
        if (rest == "Yes")
            fp.dialogs.queueAnswer(platform::kAnswerYes);
        else if (rest == "No")
            fp.dialogs.queueAnswer(platform::kAnswerNo);
        else if (rest == "OK")
            fp.dialogs.queueAnswer(platform::kAnswerOK);
        else
            throw ScriptError("unknown answer " + rest);
    } else if (command == "start" && rest == "fails") {
        fp.processes.failNextStart();
    } else if (command == "program-runs") {
        fp.processes.setNextRunSeconds(seconds(rest));
    } else if (command == "powercfg") {
        if (rest != "works" && rest != "fails")
            throw ScriptError("expected powercfg works|fails");
        fp.processes.setPowercfgWorks(rest == "works");
    } else if (command == "wake") {
        if (rest != "unsupported")
            throw ScriptError("expected wake unsupported");
        fp.wakeTimer.setWakeSupported(false);
    } else if (command == "suspend-query") {
        fp.windowProcedures.querySuspend();
    } else if (command == "session") {
        // The system asks whether the session may end, then ends it; a query without an end is a
        // session end that another program refused.
        auto& app = form("frmMain").app();
        if (rest == "query")
            fp.transcript.line(std::string("session may end: ") + (app.querySessionEnd() ? "yes" : "no"));
        else if (rest == "end")
            app.endSession();
        else
            throw ScriptError("expected session query|end");
    } else if (command == "tray" || command == "taskbar-created" || command == "shell32") {
        shell(command, rest);
    } else if (command == "start") {
        if (!rest.empty())
            throw ScriptError("expected start or start fails");
        if (program_)
            throw ScriptError("the program has already been started");
        program_ = std::make_unique<app::Program>(fp.services(), observer_);
        program_->start();
    } else if (command == "click") {
        click(rest);
    } else if (command == "type") {
        auto [name, text] = split(rest);
        type(name, text);
    } else if (command == "set") {
        auto [name, value] = split(rest);
        set(name, value);
    } else if (command == "focus" || command == "blur" || command == "dblclick") {
        forms::Control* control;
        forms::MenuItem* item;
        resolve(rest, control, item);
        if (!control)
            throw ScriptError(rest + " is a menu item");
        if (command == "focus")
            control->form().setFocus(*control);
        else if (command == "blur") {
            if (control->form().focused() == control)
                control->form().clearFocus();
        } else if (control->acceptsInput() && control->DblClick)
            control->DblClick();
    } else if (command == "key") {
        auto [name, code] = split(rest);
        form(name).keyDown(integer(code));
    } else if (command == "paint") {
        form(rest).paint();
    } else if (command == "close") {
        auto [name, mode] = split(rest);
        form(name).close(mode.empty() ? forms::kFormControlMenu : integer(mode));
    } else if (command == "advance") {
        const double time = seconds(rest);
        // An ended program has no event loop left: time passes, nothing fires.
        if (program_ && program_->application().ended())
            fp.clock.pass(static_cast<int>(std::lround(time * 1000)));
        else
            fp.clock.advance(time);
    } else if (command == "serve") {
        serve(rest);
    } else if (command == "scroll") {
        auto [name, direction] = split(rest);
        scroll(name, direction);
    } else if (command == "print") {
        print(rest);
    } else if (command == "eval") {
        eval(rest);
    } else if (command == "cat") {
        cat(rest);
    } else {
        throw ScriptError("unknown command " + command);
    }
}

void Script::readFile(const std::string& name) {
    if (name.empty())
        throw ScriptError("file needs a name");
    std::string bytes;
    for (;;) {
        if (next_ >= lines_.size())
            throw ScriptError("file " + name + " has no end");
        const std::string& line = lines_[next_++];
        if (trim(line) == "end")
            break;
        bytes += line + "\r\n";
    }
    platform_.files.put(platform_.files.programFolder() + name, bytes);
}

void Script::click(const std::string& ref) {
    forms::Control* control;
    forms::MenuItem* item;
    resolve(ref, control, item);
    if (item) {
        if (!item->acceptsInput()) {
            platform_.transcript.line("refused " + ref);
            return;
        }
        item->userClick();
        return;
    }
    if (!control->acceptsInput()) {
        platform_.transcript.line("refused " + ref);
        return;
    }
    switch (control->kind()) {
    case forms::ControlKind::Button:
    case forms::ControlKind::CheckBox:
    case forms::ControlKind::OptionButton:
    case forms::ControlKind::TextBox:
    case forms::ControlKind::ComboBox:
        control->form().setFocus(*control);
        break;
    default:
        break;
    }
    control->userClick();
}

void Script::scroll(const std::string& ref, const std::string& direction) {
    if (direction != "up" && direction != "down")
        throw ScriptError("expected scroll NAME up|down");
    forms::Control* control;
    forms::MenuItem* item;
    resolve(ref, control, item);
    if (!control || control->kind() != forms::ControlKind::ScrollBar)
        throw ScriptError(ref + " is no scroll bar");
    if (!control->acceptsInput()) {
        platform_.transcript.line("refused " + ref);
        return;
    }
    auto& bar = forms::controlAs<forms::ScrollBar>(*control);
    bar.form().setFocus(bar); // an arrow click takes the focus, as it does on a tab stop
    const int step = std::max(bar.smallChange(), 1);
    bar.setValue(bar.value() + (direction == "up" ? step : -step));
}

void Script::type(const std::string& ref, const std::string& text) {
    forms::Control* control;
    forms::MenuItem* item;
    resolve(ref, control, item);
    if (!control || control->kind() != forms::ControlKind::TextBox)
        throw ScriptError(ref + " is no text box");
    if (!control->acceptsInput()) {
        platform_.transcript.line("refused " + ref);
        return;
    }
    auto& box = forms::controlAs<forms::TextBox>(*control);
    box.form().setFocus(box);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'b') {
            box.typeKey(forms::kBackspace);
            ++i;
        } else {
            box.typeKey(text[i]);
        }
    }
}

void Script::set(const std::string& ref, const std::string& value) {
    forms::Control* control;
    forms::MenuItem* item;
    resolve(ref, control, item);
    if (!control)
        throw ScriptError(ref + " is a menu item");
    if (!control->acceptsInput()) {
        platform_.transcript.line("refused " + ref);
        return;
    }
    using forms::ControlKind;
    if (control->kind() != ControlKind::Label && control->kind() != ControlKind::Timer)
        control->form().setFocus(*control); // the user's edit takes the focus first
    switch (control->kind()) {
    case ControlKind::TextBox:
        forms::controlAs<forms::TextBox>(*control).setText(value);
        break;
    case ControlKind::CheckBox:
        forms::controlAs<forms::CheckBox>(*control).setValue(integer(value));
        break;
    case ControlKind::OptionButton:
        forms::controlAs<forms::OptionButton>(*control).setValue(value == "True" || value == "1");
        break;
    case ControlKind::ComboBox:
        if (!forms::controlAs<forms::ComboBox>(*control).setListIndex(integer(value)))
            throw ScriptError("no list index " + value + " in " + ref);
        break;
    case ControlKind::ScrollBar:
        forms::controlAs<forms::ScrollBar>(*control).setValue(integer(value));
        break;
    case ControlKind::TimePicker: {
        int h, m, s;
        char tail;
        if (std::sscanf(value.c_str(), "%d:%d:%d%c", &h, &m, &s, &tail) != 3 || h < 0 || h > 23 || m < 0 || m > 59 ||
            s < 0 || s > 59)
            throw ScriptError("bad time " + value);
        forms::controlAs<forms::TimePicker>(*control).setSecondsOfDay(h * 3600 + m * 60 + s);
        break;
    }
    default:
        throw ScriptError(ref + " takes no value");
    }
}

void Script::print(const std::string& ref) {
    auto& out = platform_.transcript;
    if (!program_)
        throw ScriptError("the program has not been started");
    auto& globals = program_->globals();
    if (ref == "ActionName") {
        out.line("ActionName = " + fake::quote(globals.ActionName));
        return;
    }
    if (ref == "ActionDate") {
        out.line("ActionDate = " + globals.ActionDate.iso());
        return;
    }
    const size_t dot = ref.rfind('.');
    if (dot == std::string::npos)
        throw ScriptError("print needs NAME.PROPERTY");
    const std::string target = ref.substr(0, dot), property = ref.substr(dot + 1);
    std::string value;
    bool known = true;

    if (target.find('.') == std::string::npos && target.find('(') == std::string::npos &&
        (target == "frmMain" || program_->application().findForm(target))) {
        forms::Form& f = form(target);
        if (property == "Caption")
            value = f.caption();
        else if (property == "Visible")
            value = boolText(f.isVisible());
        else if (property == "Left")
            value = std::to_string(f.left());
        else if (property == "Top")
            value = std::to_string(f.top());
        else if (property == "Width")
            value = std::to_string(f.width());
        else if (property == "Height")
            value = std::to_string(f.height());
        else
            known = false;
    } else {
        forms::Control* c;
        forms::MenuItem* item;
        resolve(target, c, item);
        if (item) {
            if (property == "Caption")
                value = item->caption();
            else if (property == "Enabled")
                value = boolText(item->enabled());
            else if (property == "Visible")
                value = boolText(item->visible());
            else
                known = false;
        } else {
            using forms::ControlKind;
            if (property == "Caption")
                value = c->caption();
            else if (property == "Enabled")
                value = boolText(c->enabled());
            else if (property == "Visible")
                value = boolText(c->visible());
            else if (property == "ToolTipText")
                value = c->kind() == ControlKind::StatusBar ? forms::controlAs<forms::StatusBar>(*c).panel(1).toolTip
                                                            : c->toolTipText();
            else if (property == "Left")
                value = std::to_string(c->left());
            else if (property == "Top")
                value = std::to_string(c->top());
            else if (property == "Width")
                value = std::to_string(c->width());
            else if (property == "Height")
                value = std::to_string(c->height());
            else if (property == "BackColor")
                value = colour(c->backColor());
            else if (property == "Text" && c->kind() == ControlKind::TextBox)
                value = forms::controlAs<forms::TextBox>(*c).text();
            else if (property == "Text" && c->kind() == ControlKind::ComboBox)
                value = forms::controlAs<forms::ComboBox>(*c).text();
            else if (property == "Text" && c->kind() == ControlKind::StatusBar)
                value = forms::controlAs<forms::StatusBar>(*c).panel(1).text;
            else if (property == "ListIndex" && c->kind() == ControlKind::ComboBox)
                value = std::to_string(forms::controlAs<forms::ComboBox>(*c).listIndex());
            else if (property == "Value" && c->kind() == ControlKind::CheckBox)
                value = std::to_string(forms::controlAs<forms::CheckBox>(*c).value());
            else if (property == "Value" && c->kind() == ControlKind::OptionButton)
                value = boolText(forms::controlAs<forms::OptionButton>(*c).value());
            else if (property == "Value" && c->kind() == ControlKind::ScrollBar)
                value = std::to_string(forms::controlAs<forms::ScrollBar>(*c).value());
            else if (property == "Value" && c->kind() == ControlKind::ProgressBar)
                value = std::to_string(forms::controlAs<forms::ProgressBar>(*c).value());
            else if (property == "Value" && c->kind() == ControlKind::TimePicker)
                value = hms(forms::controlAs<forms::TimePicker>(*c).secondsOfDay());
            else if (property == "Enabled" && c->kind() == ControlKind::Timer)
                value = boolText(c->enabled());
            else
                known = false;
        }
    }
    if (!known)
        throw ScriptError("no property " + property + " on " + target);
    out.line(ref + " = " + fake::quote(value));
}

void Script::eval(const std::string& what) {
    if (!program_)
        throw ScriptError("the program has not been started");
    auto& out = platform_.transcript;
    auto& main = program_->mainWindow();
    auto [name, args] = split(what);
    if (name == "TimeString") {
        auto [seconds, verbose] = split(args);
        if (verbose != "0" && verbose != "1")
            throw ScriptError("TimeString needs SECONDS 0|1");
        out.line("TimeString = " + fake::quote(app::TimeString(integer(seconds), verbose == "1")));
    } else if (name == "CalcSeconds") {
        out.line("CalcSeconds = " + std::to_string(main.CalcSeconds()));
    } else if (name == "RemainingTime") {
        out.line("RemainingTime = " + fake::quote(main.RemainingTime()));
    } else if (name == "CalcActionDate") {
        if (main.CalcActionDate() == app::ScheduleResult::Ok)
            out.line("ActionDate = " + program_->globals().ActionDate.iso());
        else
            out.line("CalcActionDate failed");
    } else {
        throw ScriptError("cannot eval " + what);
    }
}

void Script::cat(const std::string& name) {
    auto& out = platform_.transcript;
    const auto bytes = platform_.files.get(platform_.files.programFolder() + name);
    if (!bytes) {
        out.line("(no file)");
        return;
    }
    size_t start = 0;
    while (start < bytes->size()) {
        const size_t end = bytes->find("\r\n", start);
        if (end == std::string::npos) {
            out.line("| " + bytes->substr(start));
            out.line("(no final CR LF)");
            return;
        }
        out.line("| " + bytes->substr(start, end - start));
        start = end + 2;
    }
}

} // namespace qs::sim
