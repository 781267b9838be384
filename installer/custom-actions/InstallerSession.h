// What a deferred custom action may use of the installation that runs it: the text the package set for it
// (CustomActionData) and the installation's log.
#pragma once

#include <windows.h>

#include <msi.h>

#include <string>

namespace pelmora::setup {

class InstallerSession {
  public:
    explicit InstallerSession(MSIHANDLE install) : install_(install) {}

    std::wstring actionData() const;
    // One line in the log of the installation (msiexec /l*v).
    void log(const std::wstring& text) const;

  private:
    MSIHANDLE install_;
};

}  // namespace pelmora::setup
