#pragma once

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>

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

} // namespace ImportFixtures
