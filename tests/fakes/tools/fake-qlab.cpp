// A fake QLab 5 for trying the program by hand:
//   fake-qlab --port 53000 --workspace tests/fakes/show.json
#include "FakeQLabServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"fake-qlab"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Answers QLab 5's OSC messages from a workspace fixture."_s);
    parser.addHelpOption();
    const QCommandLineOption port(u"port"_s, u"TCP port (default 53000)."_s, u"port"_s, u"53000"_s);
    const QCommandLineOption workspace(u"workspace"_s, u"Workspace fixture (JSON)."_s, u"file"_s);
    const QCommandLineOption delay(
        u"delay"_s, u"Answer every message this much later."_s, u"milliseconds"_s, u"0"_s);
    parser.addOptions({ port, workspace, delay });
    parser.process(app);

    if (!parser.isSet(workspace)) {
        std::fprintf(stderr, "fake-qlab: --workspace is required\n");
        return 2;
    }
    QString error;
    const auto fixture = WorkspaceFixture::load(parser.value(workspace), &error);
    if (!fixture) {
        std::fprintf(stderr, "fake-qlab: %s\n", qPrintable(error));
        return 1;
    }

    FakeQLabServer server(*fixture);
    if (const int ms = parser.value(delay).toInt(); ms > 0)
        server.addFault({ QString(), std::chrono::milliseconds(ms), false, QString() });
    // Every message received, as it comes.
    QObject::connect(&server, &FakeQLabServer::messageReceived,
        [](const FakeQLabServer::ReceivedMessage &message) {
            QStringList arguments;
            for (const QVariant &argument : message.arguments)
                arguments.append(argument.toString());
            std::printf("[%d] %s %s %s\n", message.connection, qPrintable(message.address),
                message.typeTags.constData(), qPrintable(arguments.join(u' ')));
            std::fflush(stdout);
        });
    if (!server.listen(quint16(parser.value(port).toUInt()))) {
        std::fprintf(stderr, "fake-qlab: cannot listen on port %s: %s\n",
            qPrintable(parser.value(port)), qPrintable(server.errorString()));
        return 1;
    }
    std::printf("fake-qlab listening on 127.0.0.1:%u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
