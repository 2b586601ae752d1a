#include "loop_until.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace qs::test {

bool loopUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer wake; // so that the loop looks at the clock even when nothing else arrives
    wake.start(20);
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop().processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace qs::test
