#include "QtWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace trb::test {

bool WaitFor(const std::function<bool()> &done, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void Spin(int milliseconds)
{
    WaitFor([] { return false; }, milliseconds);
}

} // namespace trb::test
