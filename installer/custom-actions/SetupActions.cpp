// The package's custom actions: what Windows Installer cannot do from its tables. Each is deferred, runs with
// the installation's rights, reads its CustomActionData and never fails the installation: what it could not
// do is written to the installation's log, and Windows Installer's own handling of files in use follows.
#include "ActionData.h"
#include "FileAssociation.h"
#include "InstallerSession.h"
#include "ServerShutdown.h"
#include "WindowsServerProcesses.h"

#include <string>
#include <vector>

using pelmora::setup::InstallerSession;

namespace {

void stopThumbnailServers(const InstallerSession& session) {
    const std::wstring server = pelmora::setup::serverPathIn(session.actionData());
    pelmora::setup::WindowsServerProcesses processes(server);
    if (processes.count() == 0) return;
    const pelmora::setup::ShutdownResult result =
        pelmora::setup::endServers(processes, pelmora::setup::shutdownGracePeriod);
    session.log(L"Pelmora: " + server + L": " + std::to_wstring(result.endedWhenAsked) +
                L" ended when asked, " + std::to_wstring(result.endedByForce) + L" ended by force, " +
                std::to_wstring(result.stillRunning) + L" still running");
}

const wchar_t* outcomeText(pelmora::setup::AssociationRemoval outcome) {
    using pelmora::setup::AssociationRemoval;
    switch (outcome) {
        case AssociationRemoval::removed:
            return L"removed";
        case AssociationRemoval::foreign:
            return L"left alone: another program's association replaced it";
        case AssociationRemoval::absent:
            return L"not there";
        case AssociationRemoval::failed:
            break;
    }
    return L"failed: the registry refused";
}

// CustomActionData: "<ProgID>;<extension>;<extension>...", for example "Pelmora.sgf;.sgf;.ugi". Each
// extension loses its association with the ProgID, and its key when nothing is left in it (the handler's
// unregistration leaves the extension keys of the shell's handler entries behind).
void removeFileAssociation(const InstallerSession& session) {
    const std::vector<std::wstring> names = pelmora::setup::splitActionData(session.actionData());
    if (names.size() < 2) {
        session.log(L"Pelmora: no ProgID and extension named in \"" + session.actionData() + L"\"");
        return;
    }
    for (std::size_t i = 1; i < names.size(); ++i) {
        const pelmora::setup::AssociationResult result =
            pelmora::setup::removeOwnAssociation(names[i], names[0]);
        session.log(L"Pelmora: association of " + names[i] + L" with " + names[0] + L" " +
                    outcomeText(result.removal) + (result.keyRemoved ? L"; its empty key removed" : L""));
    }
}

template <class Action>
UINT runAction(MSIHANDLE install, Action action) {
    try {
        action(InstallerSession(install));
    } catch (...) {
        // Out of memory at most: nothing to report it with.
    }
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" UINT __stdcall StopThumbnailServers(MSIHANDLE install) {
    return runAction(install, stopThumbnailServers);
}

extern "C" UINT __stdcall RemoveFileAssociation(MSIHANDLE install) {
    return runAction(install, removeFileAssociation);
}
