#pragma once

#include "../../src/app/program.h"
#include "../../src/platform/fake/fake_platform.h"
#include "transcript_observer.h"

#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace qs::forms {
class Control;
class MenuItem;
class Form;
} // namespace qs::forms

namespace qs::sim {

// A fault in the script itself: unknown command, control or value.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs the program on the fake backend, one script line at a time. The script is also the
// event loop: a modal window or a wait keeps reading lines until it is done.
class Script {
public:
    Script(std::istream& in, std::ostream& out);
    ~Script();

    // Runs to the end; returns 0, or 2 after printing a script error with its line number.
    int run(std::ostream& errors);

private:
    bool step();
    void execute(const std::string& command, const std::string& rest);
    void readFile(const std::string& name);
    // tray ..., taskbar-created, shell32 ...
    void shell(const std::string& command, const std::string& rest);

    forms::Form& form(const std::string& name);
    // "NAME", "FORM.NAME", "NAME(3)"; exactly one of the results is set.
    void resolve(const std::string& ref, forms::Control*& control, forms::MenuItem*& item);
    void print(const std::string& ref);
    void click(const std::string& ref);
    void type(const std::string& ref, const std::string& text);
    void set(const std::string& ref, const std::string& value);
    void eval(const std::string& what);
    void cat(const std::string& name);
    void scroll(const std::string& ref, const std::string& direction);
    // serve TEXT|empty|error|refused
    void serve(const std::string& rest);
    // Writes the main window's download control's start and events as they happen.
    void traceDownloads(app::frmMain& main);

    std::vector<std::string> lines_;
    size_t next_ = 0;
    size_t current_ = 0;
    fake::FakePlatform platform_;
    TranscriptObserver observer_;
    std::unique_ptr<app::Program> program_;
};

} // namespace qs::sim
