#pragma once

#include <ostream>
#include <string>

namespace qs::fake {

// Where the fake backend writes one line per observable effect.
class Transcript {
public:
    explicit Transcript(std::ostream& out) : out_(&out) {}
    void line(const std::string& text) { *out_ << text << '\n'; }
    void redirect(std::ostream& out) { out_ = &out; }

private:
    std::ostream* out_;
};

// A text in double quotes, CR as \r, LF as \n and a double quote as \".
std::string quote(const std::string& text);

} // namespace qs::fake
