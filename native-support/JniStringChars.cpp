#include "JniStringChars.h"

#include "JniAllocation.h"
#include "NothrowBuffer.h"

#include <algorithm>
#include <cstddef>

namespace pelmora {

// Java characters are Windows' UTF-16 code units.
static_assert(sizeof(wchar_t) == sizeof(jchar), "wchar_t must be a UTF-16 code unit");

JniStringChars::JniStringChars(JNIEnv* env, jstring text) : env_(env), text_(text) {
    if (text_ == nullptr) return;
    chars_ = env_->GetStringChars(text_, nullptr);
    if (chars_ == nullptr) {
        clearFailedAllocation(env_);
        return;
    }
    length_ = env_->GetStringLength(text_);
}

JniStringChars::~JniStringChars() {
    if (chars_ != nullptr) env_->ReleaseStringChars(text_, chars_);
}

const wchar_t* JniStringChars::data() const {
    return reinterpret_cast<const wchar_t*>(chars_);
}

std::unique_ptr<wchar_t[]> JniStringChars::terminatedCopy() const {
    const auto count = static_cast<std::size_t>(length_);
    auto copy = allocateBuffer<wchar_t>(count + 1);
    if (copy) std::copy_n(data(), count, copy.get());  // value-initialised: the terminator is there
    return copy;
}

}  // namespace pelmora
