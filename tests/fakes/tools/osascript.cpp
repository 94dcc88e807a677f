// Stands in for macOS's osascript in tests and by hand: put ${build}/fakebin first on PATH and
// name a workspace fixture in FAKE_QLAB_WORKSPACE. Only `osascript -` (the script on standard
// input) is supported, which is how Marrowlark runs its scripts. See FakeOsascript.h.

#include "FakeOsascript.h"

#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2 || QString::fromLocal8Bit(argv[1]) != QLatin1String("-")) {
        std::fputs("usage: osascript -   (the script on standard input)\n", stderr);
        return 2;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 2;
    const QString script = QString::fromUtf8(input.readAll());

    FakeOsascript fake(FakeOsascript::Switches::fromEnvironment());
    const FakeOsascript::Answer answer = fake.run(script);
    if (answer.exitStatus == 0) {
        // A script without a result prints nothing; any other result ends with a line feed.
        if (!answer.output.isEmpty())
            std::fputs((answer.output + QLatin1Char('\n')).toUtf8().constData(), stdout);
    } else if (!answer.error.isEmpty()) {
        std::fputs((answer.error + QLatin1Char('\n')).toUtf8().constData(), stderr);
    }
    return answer.exitStatus;
}
