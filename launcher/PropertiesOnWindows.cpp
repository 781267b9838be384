// Choosing the JVM from the runtimes installed on this machine.
#include "ErrHandler.h"
#include "JvmChooser.h"
#include "Properties.h"
#include "RegistryJvmEnvironment.h"

namespace pelmora {

void Properties::evaluateJvm() {
    try {
        chosenJvm_ = std::make_shared<JvmCandidate>(chooseJvm(*this, RegistryJvmEnvironment()));
        addHeapOptions();
    } catch (const std::wstring& message) {
        ErrHandler::fatalError(message);
    } catch (...) {
        ErrHandler::fatalError(L"Error evaluating JVM properties.");
    }
}

}  // namespace pelmora
