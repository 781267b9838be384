#include "VmArguments.h"

#include <utility>

namespace pelmora::test {

VmArguments::VmArguments(std::vector<std::string> options, jboolean ignoreUnrecognized, jint version)
    : texts_(std::move(options)), options_(texts_.size()) {
    for (std::size_t i = 0; i < texts_.size(); ++i) options_[i].optionString = texts_[i].data();
    initArgs_.version = version;
    initArgs_.nOptions = static_cast<jint>(options_.size());
    initArgs_.options = options_.data();
    initArgs_.ignoreUnrecognized = ignoreUnrecognized;
}

}  // namespace pelmora::test
