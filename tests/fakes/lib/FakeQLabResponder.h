#pragma once

#include "WorkspaceFixture.h"

#include <QJsonValue>
#include <QStringList>
#include <QVariantList>

#include <optional>

// What one QLab 5 workspace answers to one OSC message, as QLab's OSC dictionary documents it:
// "/connect", "/alwaysReply", "/cueLists" and the "/cue_id/{id}/..." properties the program
// reads, with "notes" writable. Reading needs the view permission; notes may be written with
// view, edit or control; without the permission the status is "denied". An unknown cue, an
// unknown address or a property the cue lacks gives "error".
class FakeQLabResponder
{
public:
    struct Reply
    {
        QString status;
        std::optional<QJsonValue> data; // none: the reply has no "data"
    };

    // What QLab keeps per client and workspace.
    struct Client
    {
        std::optional<QStringList> permissions; // none until the first message
        bool alwaysReply = false;
    };

    struct Options
    {
        // "/cueLists" as other QLab versions send it: with notes, waits, duration, mode and
        // isBroken too, and "flagged" and "armed" as 0 and 1.
        bool variantCueLists = false;
    };

    explicit FakeQLabResponder(WorkspaceFixture &fixture);

    Options &options() { return m_options; }

    // The reply of `workspace` to a message whose address has no workspace prefix; none when
    // QLab would not reply.
    std::optional<Reply> answer(
        qsizetype workspace, Client &client, const QString &address, const QVariantList &arguments);

private:
    std::optional<Reply> answerCue(qsizetype workspace, const QStringList &permissions,
        QStringView cueID, QStringView property, const QVariantList &arguments);
    std::optional<QJsonValue> property(const WorkspaceFixture::Workspace &ws,
        const WorkspaceFixture::Cue &cue, QStringView path, int depth = 0) const;
    QJsonValue cueListEntry(const WorkspaceFixture::Workspace &ws, qsizetype index) const;

    WorkspaceFixture &m_fixture;
    Options m_options;
};
