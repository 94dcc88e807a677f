#pragma once

#include "import/CueListInfo.h"
#include "import/WorkspaceInfo.h"

#include <QList>
#include <QString>

#include <variant>

// One step of the import dialogue with its payload. Two states are equal only when their case and
// payload are: a page showing list 2 of 3, a second failure or a refused passcode must learn of it.
class ImportState
{
public:
    enum class Case {
        selectingWorkspace,
        confirmingExport,
        requestingOSCAccess,
        selectingCueLists,
        importingCues,
        completed,
        failed,
        idle,
        checkingQLab,
        checkingOSC,
        discoveringCueLists,
    };

    struct OSCAccessRequest
    {
        bool oscAvailable = false;
        // Passcodes refused so far in this run; each refusal asks again with a new count.
        int refusedPasscodes = 0;
        friend bool operator==(const OSCAccessRequest &, const OSCAccessRequest &) = default;
    };

    struct ImportingCues
    {
        int current = 0; // 1-based
        int total = 0;
        QString name;
        int cueCount = 0;
        friend bool operator==(const ImportingCues &, const ImportingCues &) = default;
    };

    struct Completed
    {
        QString projectName;
        int listCount = 0;
        int cueCount = 0;
        friend bool operator==(const Completed &, const Completed &) = default;
    };

    ImportState() = default; // idle

    static ImportState idle() { return {}; }
    static ImportState checkingQLab() { return ImportState(Case::checkingQLab, {}); }
    static ImportState checkingOSC() { return ImportState(Case::checkingOSC, {}); }
    static ImportState discoveringCueLists() { return ImportState(Case::discoveringCueLists, {}); }
    static ImportState selectingWorkspace(const QList<WorkspaceInfo> &workspaces);
    static ImportState confirmingExport(const QString &workspaceName);
    static ImportState requestingOSCAccess(bool oscAvailable, int refusedPasscodes = 0);
    static ImportState selectingCueLists(const QList<CueListInfo> &cueLists);
    static ImportState importingCues(int current, int total, const QString &name, int cueCount);
    static ImportState completed(const QString &projectName, int listCount, int cueCount);
    static ImportState failed(const QString &message);

    Case kind() const { return m_case; }

    // Payload accessors; each gives the empty value for any other case.
    QList<WorkspaceInfo> workspaces() const;
    // The workspace name of confirmingExport, or the message of failed.
    QString text() const;
    OSCAccessRequest oscAccessRequest() const;
    QList<CueListInfo> cueLists() const;
    ImportingCues importing() const;
    Completed completion() const;

    friend bool operator==(const ImportState &, const ImportState &) = default;

private:
    using Payload = std::variant<std::monostate, QList<WorkspaceInfo>, QString, OSCAccessRequest,
        QList<CueListInfo>, ImportingCues, Completed>;

    ImportState(Case kind, Payload payload)
        : m_case(kind)
        , m_payload(std::move(payload))
    { }

    template <typename T> T get() const
    {
        const T *value = std::get_if<T>(&m_payload);
        return value ? *value : T {};
    }

    Case m_case = Case::idle;
    Payload m_payload;
};
