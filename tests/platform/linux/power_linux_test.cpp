// LinuxPower against python-dbusmock's logind on a private bus.
#include "../../../src/platform/linux/power_linux.h"
#include "dbus_mock.h"

#include <QDBusArgument>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace qs::linuxos {
namespace {

using test::DbusMock;
using test::PrivateBus;
using Calls = std::vector<std::string>;

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

class PowerLinuxTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!DbusMock::available())
            return;
        bus_ = new PrivateBus;
    }
    static void TearDownTestSuite() {
        delete bus_;
        bus_ = nullptr;
    }

    void SetUp() override {
        if (!bus_ || !bus_->running())
            GTEST_SKIP() << "needs dbus-daemon and python3-dbusmock";
        unsetenv("XDG_SESSION_ID");
    }

    // logind with the template's parameters, e.g. {"CanSuspend": "no"}.
    DbusMock& startLogind(const QString& parameters = QStringLiteral("{}")) {
        logind_.reset(); // the old one lets go of the name first
        logind_ = std::make_unique<DbusMock>(
            *bus_,
            QStringList{QStringLiteral("--template"), QStringLiteral("logind"), QStringLiteral("-p"), parameters},
            kLogind);
        EXPECT_TRUE(logind_->running());
        return *logind_;
    }

    // A method of the mocked manager replaced by Python code.
    void replaceMethod(const QString& name, const QString& in, const QString& out, const QString& code) {
        const auto reply = logind_->control(kManagerPath, QStringLiteral("AddMethod"), {kManager, name, in, out, code});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    QString addSession(const QString& id) {
        const auto reply = logind_->control(kManagerPath, QStringLiteral("AddSession"),
                                            {id, QStringLiteral("seat0"), 1000u, QStringLiteral("user"), true});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).toString();
    }

    // Takes an inhibitor lock, held while the returned descriptor lives.
    QDBusUnixFileDescriptor inhibit(const QString& what, const QString& mode) {
        QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, QStringLiteral("Inhibit"));
        call << what << QStringLiteral("test") << QStringLiteral("busy") << mode;
        const QDBusMessage reply = bus_->connection().call(call);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).value<QDBusUnixFileDescriptor>();
    }

    // The mock forgets a lock when it notices the descriptor closed, in its own time.
    void waitUntilNoInhibitors() {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            const QDBusMessage reply = bus_->connection().call(
                QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, QStringLiteral("ListInhibitors")));
            const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
            list.beginArray();
            const bool empty = list.atEnd();
            list.endArray();
            if (empty)
                return;
            QThread::msleep(20);
        }
        ADD_FAILURE() << "the mock still lists inhibitors";
    }

    Calls managerCalls() const { return logind_->calls(kManagerPath); }
    LinuxPower power() const { return LinuxPower(bus_->address(), bus_->address()); }

    static PrivateBus* bus_;
    std::unique_ptr<DbusMock> logind_;
};

PrivateBus* PowerLinuxTest::bus_ = nullptr;

TEST_F(PowerLinuxTest, OnlyYesCountsAsAllowed) {
    struct Case {
        const char* parameters;
        bool hibernate, suspend;
    } cases[] = {
        {R"({"CanHibernate": "yes", "CanSuspend": "no"})", true, false},
        {R"({"CanHibernate": "no", "CanSuspend": "yes"})", false, true},
        {R"({"CanHibernate": "challenge", "CanSuspend": "challenge"})", false, false},
        {R"({"CanHibernate": "na", "CanSuspend": "yes"})", false, true},
    };
    for (const Case& c : cases) {
        startLogind(QString::fromUtf8(c.parameters));
        LinuxPower p = power();
        EXPECT_EQ(p.isHibernateAllowed(), c.hibernate) << c.parameters;
        EXPECT_EQ(p.isSuspendAllowed(), c.suspend) << c.parameters;
    }
}

TEST_F(PowerLinuxTest, WithoutLogindNothingIsAllowedAndNoActionSucceeds) {
    // A bus without logind on it, and no bus at all.
    for (const std::string& address : {bus_->address(), std::string("unix:path=/nonexistent/bus")}) {
        LinuxPower p(address, address);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(p.isHibernateAllowed());
        EXPECT_FALSE(p.isSuspendAllowed());
        EXPECT_LT(clock.elapsed(), LinuxPower::kQueryTimeoutMs);
        EXPECT_FALSE(p.exitWindows(1));
        EXPECT_NE(p.failureReason(), "") << address;
        EXPECT_FALSE(p.setSuspendState(false, true, false));
        EXPECT_NE(p.failureReason(), "") << address;
        EXPECT_FALSE(p.exitWindows(0));
        EXPECT_EQ(p.failureReason(), "The program's login session was not found.");
        EXPECT_FALSE(p.lockWorkStation());
        EXPECT_EQ(p.failureReason(), "The program's login session was not found.");
    }
}

// Counts the ticks of a Qt timer: proof that the event loop ran meanwhile.
class Ticks {
public:
    Ticks() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { ++count; });
        timer_.start(50);
    }
    int count = 0;

private:
    QTimer timer_;
};

TEST_F(PowerLinuxTest, AHangingLogindLeavesTheLoopRunningAndCountsAsNo) {
    startLogind();
    const QString hang = QStringLiteral("time.sleep(4 * %1 / 1000)\nret = 'yes'").arg(LinuxPower::kQueryTimeoutMs);
    replaceMethod(QStringLiteral("CanHibernate"), "", QStringLiteral("s"), hang);
    replaceMethod(QStringLiteral("CanSuspend"), "", QStringLiteral("s"), hang);
    LinuxPower p = power();
    Ticks ticks;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(p.isHibernateAllowed());
    EXPECT_FALSE(p.isSuspendAllowed());
    // Both questions share one time limit, as start-up asks them one after the other.
    EXPECT_LT(clock.elapsed(), LinuxPower::kQueryTimeoutMs + 600);
    EXPECT_GE(ticks.count, LinuxPower::kQueryTimeoutMs / 50 / 2);
}

TEST_F(PowerLinuxTest, AHangingActionFailsInBoundedTimeAndSaysWhy) {
    startLogind();
    replaceMethod(QStringLiteral("PowerOff"), QStringLiteral("b"), "", QStringLiteral("time.sleep(8)"));
    LinuxPower p = power();
    p.setActionTimeout(2000);
    Ticks ticks;
    // A second call while the first waits (a timer's handler): it fails on its own terms and
    // leaves the first one's result alone.
    bool nestedLocked = true;
    std::string nestedReason;
    QTimer::singleShot(100, [&] {
        nestedLocked = p.lockWorkStation();
        nestedReason = p.failureReason();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(p.exitWindows(1 | 4));
    EXPECT_LT(clock.elapsed(), 2000 + 1500);
    EXPECT_EQ(p.failureReason(), "logind did not answer within 2 seconds.");
    EXPECT_FALSE(nestedLocked);
    EXPECT_EQ(nestedReason, "logind did not answer within 1 second.");
    EXPECT_GE(ticks.count, 2000 / 50 / 2);
}

TEST_F(PowerLinuxTest, ACapabilityAnswerIsNotKeptForLong) {
    startLogind(QStringLiteral(R"({"CanHibernate": "yes", "CanSuspend": "yes"})"));
    LinuxPower p = power();
    EXPECT_TRUE(p.isHibernateAllowed());
    EXPECT_TRUE(p.isSuspendAllowed());
    EXPECT_EQ(managerCalls(), (Calls{"CanHibernate", "CanSuspend"})) << "asked once each";

    EXPECT_TRUE(p.isHibernateAllowed()); // sends the suspend question along
    replaceMethod(QStringLiteral("CanSuspend"), "", QStringLiteral("s"), QStringLiteral("ret = 'no'"));
    QThread::msleep(LinuxPower::kAnswerKeptMs + 200);
    EXPECT_FALSE(p.isSuspendAllowed()) << "the answer sent along a while ago is out of date";
}

TEST_F(PowerLinuxTest, EachActionCallsItsLogindMethodInteractively) {
    startLogind();
    LinuxPower p = power();
    EXPECT_TRUE(p.exitWindows(1));
    EXPECT_TRUE(p.exitWindows(2));
    EXPECT_TRUE(p.exitWindows(1 | 4));
    EXPECT_TRUE(p.exitWindows(2 | 4));
    EXPECT_TRUE(p.setSuspendState(false, false, false));
    EXPECT_TRUE(p.setSuspendState(true, true, true));
    // Only an unforced action looks for inhibitors first.
    EXPECT_EQ(managerCalls(),
              (Calls{"ListInhibitors", "PowerOff true", "ListInhibitors", "Reboot true", "PowerOff true", "Reboot true",
                     "ListInhibitors", "Suspend true", "Hibernate true"}));
}

TEST_F(PowerLinuxTest, ABlockInhibitorRefusesOnlyTheUnforcedAction) {
    startLogind();
    LinuxPower p = power();
    {
        const auto lock = inhibit(QStringLiteral("shutdown"), QStringLiteral("block"));
        EXPECT_FALSE(p.exitWindows(1));
        EXPECT_FALSE(p.exitWindows(2));
        EXPECT_EQ(p.failureReason(), "Another program is blocking it (a logind shutdown inhibitor).");
        EXPECT_TRUE(p.setSuspendState(false, false, false)) << "a shutdown lock does not stop sleep";
        EXPECT_EQ(p.failureReason(), "") << "a success leaves no reason behind";
        EXPECT_TRUE(p.exitWindows(1 | 4));
    }
    waitUntilNoInhibitors();
    {
        const auto lock = inhibit(QStringLiteral("sleep:idle"), QStringLiteral("block"));
        EXPECT_FALSE(p.setSuspendState(true, false, false));
        EXPECT_TRUE(p.setSuspendState(true, true, false));
    }
    waitUntilNoInhibitors();
    {
        const auto lock = inhibit(QStringLiteral("shutdown:sleep"), QStringLiteral("delay"));
        EXPECT_TRUE(p.exitWindows(2)) << "a delay lock only delays";
    }
    Calls actions;
    for (const auto& call : managerCalls())
        if (call.find(" true") != std::string::npos)
            actions.push_back(call);
    EXPECT_EQ(actions, (Calls{"Suspend true", "PowerOff true", "Hibernate true", "Reboot true"}));
}

TEST_F(PowerLinuxTest, ARefusingLogindMeansFailure) {
    startLogind();
    const QString deny =
        QStringLiteral("raise dbus.exceptions.DBusException('no', name='org.freedesktop.DBus.Error.AccessDenied')");
    for (const char* method : {"PowerOff", "Reboot", "Suspend", "Hibernate"})
        replaceMethod(QString::fromUtf8(method), "b", "", deny);
    replaceMethod(QStringLiteral("TerminateSession"), "s", "",
                  QStringLiteral("raise dbus.exceptions.DBusException(name='org.freedesktop.login1.NoSuchSession')"));
    setenv("XDG_SESSION_ID", "c1", 1);
    LinuxPower p = power();
    // logind's own words are the reason.
    const std::function<bool()> actions[] = {[&] { return p.exitWindows(1 | 4); }, [&] { return p.exitWindows(2); },
                                             [&] { return p.setSuspendState(false, true, false); },
                                             [&] { return p.setSuspendState(true, false, false); }};
    for (const auto& action : actions) {
        EXPECT_FALSE(action());
        EXPECT_EQ(p.failureReason(), "no");
    }
    EXPECT_FALSE(p.exitWindows(0));
    EXPECT_EQ(p.failureReason(), "org.freedesktop.login1.NoSuchSession") << "an error without a text";
}

TEST_F(PowerLinuxTest, LogOffTerminatesTheCallersSession) {
    startLogind();
    addSession(QStringLiteral("c7"));
    LinuxPower p = power();
    EXPECT_FALSE(p.exitWindows(0)) << "no session to be found";
    EXPECT_EQ(p.failureReason(), "The program's login session was not found.");

    setenv("XDG_SESSION_ID", "c9", 1);
    EXPECT_TRUE(p.exitWindows(0));
    // logind knows the process: its answer wins over the environment.
    replaceMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                  QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
    EXPECT_TRUE(p.exitWindows(4));
    Calls terminations;
    for (const auto& call : managerCalls())
        if (call.rfind("TerminateSession", 0) == 0)
            terminations.push_back(call);
    EXPECT_EQ(terminations, (Calls{"TerminateSession c9", "TerminateSession c7"}));
}

TEST_F(PowerLinuxTest, LockUsesTheSessionThenTheScreenSaver) {
    startLogind();
    const QString session = addSession(QStringLiteral("c3"));
    setenv("XDG_SESSION_ID", "c3", 1);
    LinuxPower p = power();
    EXPECT_TRUE(p.lockWorkStation());
    EXPECT_EQ(logind_->calls(session), (Calls{"Lock"}));

    unsetenv("XDG_SESSION_ID");
    EXPECT_FALSE(p.lockWorkStation()) << "no session and no screen saver";

    const QString saver = QStringLiteral("org.freedesktop.ScreenSaver");
    const QString saverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
    DbusMock screenSaver(*bus_, {QStringLiteral("--session"), saver, saverPath, saver}, saver);
    ASSERT_TRUE(screenSaver.running());
    screenSaver.control(saverPath, QStringLiteral("AddMethod"), {saver, QStringLiteral("Lock"), "", "", ""});
    EXPECT_TRUE(p.lockWorkStation());
    EXPECT_EQ(screenSaver.calls(saverPath), (Calls{"Lock"}));
    EXPECT_EQ(logind_->calls(session), (Calls{"Lock"})) << "the session was not asked again";
}

TEST(PowerLinuxVersion, ReportsTheKernelAsTheNtFamily) {
    LinuxPower p(std::string("unix:path=/nonexistent/bus"));
    const platform::OsVersion v = p.version();
    EXPECT_EQ(v.platformId, 2);
    EXPECT_GE(v.major, 2);
}

} // namespace
} // namespace qs::linuxos
