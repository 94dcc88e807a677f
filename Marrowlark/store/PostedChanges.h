#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

// Changes to the open project that arrive from outside the window (script commands). Each runs on
// a later turn of the event loop, in the order posted. While a prompt about the open project waits
// for the user's answer it holds them, so that the answer acts on the project it was asked about;
// they run once the last hold has gone. Main thread only.
class PostedChanges : public QObject
{
    Q_OBJECT

public:
    // Keeps the changes waiting while it or any copy of it lives: captured by a prompt's answer
    // and by the steps that answer starts.
    using Hold = std::shared_ptr<void>;

    void post(std::function<void()> change);
    [[nodiscard]] Hold hold();

private:
    void runWaiting();

    int m_holds = 0;
    // Those that arrived while held, and any that arrive behind them before they have run.
    QList<std::function<void()>> m_waiting;
};
