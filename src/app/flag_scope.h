#pragma once

namespace qs::app {

// Holds a flag true for as long as it lives, also when it ends by an exception: marks a routine
// that lets events run as under way, so a handler meanwhile can tell.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace qs::app
