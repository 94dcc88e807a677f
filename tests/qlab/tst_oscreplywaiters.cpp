#include "qlab/OSCReplyWaiters.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

QCoro::Task<> waitOnce(OSCReplyWaiters &waiters, std::chrono::milliseconds timeout, int *resumed)
{
    co_await waiters.wait(timeout);
    ++*resumed;
}

} // namespace

class TestOSCReplyWaiters : public QObject
{
    Q_OBJECT

private slots:
    void timerWakesOnlyItsWaiter()
    {
        QObject context;
        OSCReplyWaiters waiters(&context);
        int shortResumed = 0;
        int longResumed = 0;
        auto shortTask = waitOnce(waiters, 20ms, &shortResumed);
        auto longTask = waitOnce(waiters, 10s, &longResumed);
        QCOMPARE(waiters.count(), 2);
        QTRY_COMPARE(shortResumed, 1);
        QCOMPARE(longResumed, 0);
        QCOMPARE(waiters.count(), 1);

        waiters.wakeAll();
        QCOMPARE(longResumed, 0); // resumption is queued, never inside wakeAll()
        QTRY_COMPARE(longResumed, 1);
        QCOMPARE(waiters.count(), 0);
    }

    // Whoever takes a waiter out first wakes it; nobody wakes it again.
    void wokenExactlyOnce()
    {
        QObject context;
        OSCReplyWaiters waiters(&context);
        int resumed = 0;
        auto task = waitOnce(waiters, 30ms, &resumed);
        waiters.wakeAll();
        waiters.wakeAll();
        QTRY_COMPARE(resumed, 1);
        QTest::qWait(80);
        QCOMPARE(resumed, 1);
    }

    void zeroTimeoutStillSuspends()
    {
        QObject context;
        OSCReplyWaiters waiters(&context);
        int resumed = 0;
        auto task = waitOnce(waiters, 0ms, &resumed);
        QCOMPARE(resumed, 0);
        QTRY_COMPARE(resumed, 1);
    }
};

QTEST_GUILESS_MAIN(TestOSCReplyWaiters)
#include "tst_oscreplywaiters.moc"
