// Choosing the JVM from the runtimes installed on this machine.
#include "ErrHandler.h"
#include "JvmChooser.h"
#include "Properties.h"
#include "WindowsMachine.h"

namespace pelmora {

void Properties::evaluateJvm() {
    fatalOnError(L"Error evaluating JVM properties.", [&] {
        chosenJvm_ = std::make_shared<JvmCandidate>(chooseJvm(*this, WindowsMachine()));
        addHeapOptions();
    });
}

}  // namespace pelmora
