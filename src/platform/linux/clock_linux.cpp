#include "clock_linux.h"

#include "time_format_linux.h"

#include <QCoreApplication>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <ctime>

namespace qs::linuxos {

LinuxClock::LinuxClock(const std::string& localeName)
    : locale_(localeName.empty() ? QLocale::system() : QLocale(QString::fromStdString(localeName))) {}

LinuxClock::~LinuxClock() = default;

DateTime LinuxClock::now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return DateTime::fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                               std::min(local.tm_sec, 59)); // a leap second counts as :59
}

double LinuxClock::secondsSinceMidnight() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    const int whole = local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
    return whole + static_cast<double>(ts.tv_nsec / 1000000) / 1000.0;
}

int LinuxClock::startTimer(int intervalMs, std::function<void()> callback) {
    const int id = nextId_++;
    std::unique_ptr<QTimer> timer;
    if (spare_.empty()) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
    } else {
        timer = std::move(spare_.back());
        spare_.pop_back();
    }
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] { fire(id); });
    timer->start(std::max(intervalMs, 0));
    timers_[id] = Entry{std::move(timer), std::move(callback)};
    return id;
}

void LinuxClock::stopTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    it->second.timer->stop();
    it->second.timer->disconnect();
    spare_.push_back(std::move(it->second.timer));
    timers_.erase(it);
}

void LinuxClock::fire(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    const auto callback = it->second.callback; // the callback may stop its own timer
    if (callback)
        callback();
}

void LinuxClock::doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void LinuxClock::runUntil(const std::function<bool()>& done) {
    // Each pass sleeps until something happens; whatever makes done() true runs in an event,
    // after which processEvents returns and the test below sees it.
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::string LinuxClock::formatLongTime(int secondsOfDay) {
    const QTime time = QTime(0, 0).addSecs(((secondsOfDay % 86400) + 86400) % 86400);
    return locale_.toString(time, longTimeFormat(locale_)).toStdString();
}

std::optional<int> LinuxClock::parseTime(const std::string& text) {
    const QString input = QString::fromStdString(text).simplified();
    if (input.isEmpty())
        return std::nullopt;
    const QLocale c = QLocale::c();
    const std::pair<const QLocale*, QString> attempts[] = {
        {&locale_, longTimeFormat(locale_)}, {&locale_, timeFormatWithoutZone(locale_, QLocale::ShortFormat)},
        {&c, QStringLiteral("H:m:s")},       {&c, QStringLiteral("h:m:s AP")},
        {&c, QStringLiteral("H:m")},         {&c, QStringLiteral("h:m AP")},
        {&c, QStringLiteral("h AP")},
    };
    for (const auto& [locale, format] : attempts) {
        // AM and PM in any letter case.
        const QString candidate = format.contains(QStringLiteral("AP")) ? input.toUpper() : input;
        const QTime time = locale->toTime(candidate, format);
        if (time.isValid())
            return time.msecsSinceStartOfDay() / 1000;
    }
    return std::nullopt;
}

std::string LinuxClock::dayName(int weekday) {
    return weekday >= 1 && weekday <= 7 ? locale_.dayName(weekday, QLocale::LongFormat).toStdString() : "";
}

std::string LinuxClock::monthAbbrev(int month) {
    return month >= 1 && month <= 12 ? locale_.monthName(month, QLocale::ShortFormat).toStdString() : "";
}

} // namespace qs::linuxos
