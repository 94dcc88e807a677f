#pragma once

#include "FakeQLabServer.h"
#include "ScopedEnvironment.h"
#include "TestSupport.h"
#include "WorkspaceFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <memory>
#include <optional>

// Workspaces for the fake QLab, made from the sample show: the import tests and the import
// sheet's walks through the same roads start from these.
namespace ImportFixtures {

using namespace Qt::StringLiterals;

inline QJsonObject showFixture()
{
    return readJsonObject(testData(u"fakes/show.json"_s));
}

inline QJsonObject withFrontWorkspace(
    QJsonObject fixture, const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray workspaces = fixture.value(u"workspaces").toArray();
    QJsonObject front = workspaces.at(0).toObject();
    edit(front);
    workspaces.replace(0, front);
    fixture.insert(u"workspaces"_s, workspaces);
    return fixture;
}

// Passcode-less connections may do nothing: the probe is denied until "1234" is given.
inline QJsonObject deniedFixture()
{
    return withFrontWorkspace(showFixture(),
        [](QJsonObject &front) { front.insert(u"noPasscodePermissions"_s, QJsonArray()); });
}

inline QJsonObject withCueLists(QJsonObject fixture, const std::function<void(QJsonArray &)> &edit)
{
    return withFrontWorkspace(std::move(fixture), [&](QJsonObject &front) {
        QJsonArray lists = front.value(u"cueLists").toArray();
        edit(lists);
        front.insert(u"cueLists"_s, lists);
    });
}

inline QJsonObject twoWorkspacesFixture()
{
    QJsonObject fixture = showFixture();
    QJsonArray workspaces = fixture.value(u"workspaces").toArray();
    // The same cue ids behind it, its own list name, and a passcode to open it.
    QJsonObject second = workspaces.at(0).toObject();
    second.insert(u"uniqueID"_s, u"WS-SECOND"_s);
    second.insert(u"displayName"_s, u"Macbeth"_s);
    second.insert(u"noPasscodePermissions"_s, QJsonArray());
    QJsonArray lists = second.value(u"cueLists").toArray();
    QJsonObject main = lists.at(0).toObject();
    main.insert(u"name"_s, u"Scottish Play"_s);
    lists.replace(0, main);
    second.insert(u"cueLists"_s, lists);
    workspaces.append(second);
    fixture.insert(u"workspaces"_s, workspaces);
    return fixture;
}

// The workspaces QLab's OSC side answers for, when they are not the ones AppleScript sees: the
// show's front workspace under each of these names (and IDs made from them).
inline QJsonObject answeringOSCOnly(const QStringList &names)
{
    QJsonArray workspaces;
    for (const QString &name : names) {
        QJsonObject workspace = showFixture().value(u"workspaces"_s).toArray().at(0).toObject();
        workspace.insert(u"uniqueID"_s, u"WS-"_s + name.toUpper());
        workspace.insert(u"displayName"_s, name);
        workspaces.append(workspace);
    }
    return QJsonObject { { u"workspaces"_s, workspaces } };
}

// Writes the fixture to path, where the fake osascript reads it, and starts a fake QLab serving
// it (or oscSide) with the given faults; nullptr (with the reason in warning) when either fails.
inline std::unique_ptr<FakeQLabServer> serve(const QString &path, const QJsonObject &fixture,
    ScopedEnvironment &environment, const std::function<void(FakeQLabServer &)> &faults,
    QString *warning, const std::optional<QJsonObject> &oscSide = std::nullopt)
{
    if (!writeFile(path, QJsonDocument(fixture).toJson())) {
        *warning = u"cannot write "_s + path;
        return nullptr;
    }
    environment.set("FAKE_QLAB_WORKSPACE", path);
    const auto loaded = oscSide
        ? WorkspaceFixture::fromJson(QJsonDocument(*oscSide).toJson(), warning)
        : WorkspaceFixture::load(path, warning);
    if (!loaded)
        return nullptr;
    auto server = std::make_unique<FakeQLabServer>(*loaded);
    if (faults)
        faults(*server);
    if (!server->listen()) {
        *warning = u"the fake QLab cannot listen"_s;
        return nullptr;
    }
    return server;
}

} // namespace ImportFixtures
