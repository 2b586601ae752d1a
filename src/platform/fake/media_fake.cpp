#include "media_fake.h"

namespace qs::fake {

class FakeMediaPlayer : public platform::MediaPlayer {
public:
    explicit FakeMediaPlayer(FakeMedia& media) : media_(media) {}

    bool renderFile(const std::string& path) override {
        const bool fails = media_.failNext_;
        media_.failNext_ = false;
        media_.transcript_.line("media RenderFile " + quote(path) + (fails ? " -> failed" : ""));
        return !fails;
    }
    void run() override { media_.transcript_.line("media Run"); }
    void setPosition(double seconds) override {
        media_.transcript_.line("media put_CurrentPosition " + std::to_string(static_cast<long>(seconds)));
    }
    void stop() override { media_.transcript_.line("media Stop"); }

private:
    FakeMedia& media_;
};

std::unique_ptr<platform::MediaPlayer> FakeMedia::createPlayer() {
    return std::make_unique<FakeMediaPlayer>(*this);
}

} // namespace qs::fake
