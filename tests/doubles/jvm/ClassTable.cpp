// The classes of this runtime. To add an application class, give it an entry here and its behaviours in a
// file of its own.
#include "ApplicationMethods.h"
#include "ClassDefinition.h"
#include "RendererMethods.h"

namespace testjvm {

const std::vector<ClassDefinition>& classDefinitions() {
    static const std::vector<ClassDefinition> definitions = {
        {"java/lang/String", false, {}},
        {"Pelmora2",
         true,
         {
             {"main", "([Ljava/lang/String;)V", &pelmoraMain},
             {"commands", "([Ljava/lang/String;)V", &pelmoraCommands},
         }},
        // The thumbnail renderer the thumbnail server calls.
        {"PelmoraThumb",
         true,
         {
             {"create", "(ILjava/lang/String;II)[B", &renderFromPath},
             {"create", "(I[BII)[B", &renderFromBytes},
         }},
    };
    return definitions;
}

}  // namespace testjvm
