// Keeping the window alive during a long pixel loop: the loop calls the yield now and then, and
// at most every `intervalMs` pending paint and timer events run. Input events wait until the loop
// is over, so the user cannot start a second edit of the picture being changed.
#pragma once

#include "document/surface/VectorState.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace orv {

class LoopYield {
public:
    explicit LoopYield(int intervalMs = 50) : m_interval(intervalMs) { m_timer.start(); }
    // Cheap when called often: a clock read, and the event loop only once the interval passed.
    bool operator()()
    {
        if (!due())
            return false;
        run();
        return true;
    }
    // Whether the interval has passed; run() then lets the events through.
    bool due() const { return m_timer.elapsed() >= m_interval; }
    void run()
    {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        // The painting that just ran may leave the wide vector state in use.
        ClearUpperVectorState();
        m_timer.restart();
        ++m_yields;
    }
    int yields() const { return m_yields; }

private:
    QElapsedTimer m_timer;
    int m_interval;
    int m_yields = 0;
};

} // namespace orv
