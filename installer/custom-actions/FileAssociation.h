// The file association the package writes for all users: HKEY_LOCAL_MACHINE\Software\Classes\<extension>
// names the package's ProgID in its default value. Windows Installer would delete that value on removal
// whatever it says by then, so the package leaves it to this check instead.
#pragma once

#include <string>

namespace pelmora::setup {

enum class AssociationRemoval {
    removed,  // the extension named our ProgID: the value is gone
    foreign,  // another program's association replaced ours: left alone, and the key with it
    absent,   // no such extension key, or no default value
    failed,   // the registry refused
};

struct AssociationResult {
    AssociationRemoval removal;
    // The extension's key went too: nothing was left in it (no value, no subkey).
    bool keyRemoved;
};

AssociationResult removeOwnAssociation(const std::wstring& extension, const std::wstring& progId);

}  // namespace pelmora::setup
