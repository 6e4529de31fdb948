// Time from starting the module program to its main window shown (offscreen), and the
// module's resident memory at that moment. Runs the program N times (default 10).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "SimulatorProcess.h"

namespace {

struct Sample {
    double milliseconds;
    long residentKiB;
};

bool RunOnce(const QString &address, const QString &lockDir, Sample &sample)
{
    QProcess module;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TRB4820_REPORT_STARTUP", "1");
    env.insert("TRB4820_LOCK_DIR", lockDir);
    module.setProcessEnvironment(env);
    module.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    module.start(QStringLiteral(TRB4820_MODULE_PATH),
                 {"/I" + address, "/Rpublic", "/Wprivate"});
    QByteArray output;
    static const QRegularExpression report("startup: window shown, resident KiB (\\d+)");
    while (module.waitForReadyRead(10000) || module.state() == QProcess::Running) {
        output += module.readAll();
        const auto match = report.match(QString::fromLatin1(output));
        if (match.hasMatch()) {
            sample = {clock.nsecsElapsed() / 1e6, match.captured(1).toLong()};
            module.waitForFinished(10000);
            return true;
        }
        if (clock.elapsed() > 20000)
            break;
    }
    std::fprintf(stderr, "no start-up report; output:\n%s\n", output.constData());
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    trb::test::SimulatorProcess simulator;
    QTemporaryDir lockDir;
    std::vector<Sample> samples;
    for (int i = 0; i < runs; ++i) {
        Sample sample{};
        if (!RunOnce(QString::fromStdString(simulator.address()), lockDir.path(), sample))
            return 1;
        samples.push_back(sample);
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample &a, const Sample &b) { return a.milliseconds < b.milliseconds; });
    const Sample &median = samples[samples.size() / 2];
    std::printf("module start to main window shown (offscreen), %d runs:\n", runs);
    std::printf("  median %.1f ms, min %.1f ms, max %.1f ms\n", median.milliseconds,
                samples.front().milliseconds, samples.back().milliseconds);
    std::printf("  resident memory at that moment: %ld KiB (median run)\n", median.residentKiB);
    return 0;
}
