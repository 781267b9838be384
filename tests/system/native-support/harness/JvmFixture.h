// The base of the support library's test fixtures: the process's test JVM, whose JNIEnv the exports get,
// and a local reference frame for the length of each test.
#pragma once

#include <gtest/gtest.h>

#include <jni.h>

#include "TestJvm.h"

namespace pelmora::test {

class JvmFixture : public ::testing::Test {
  protected:
    JNIEnv* env() const { return jvm_.env(); }

    TestJvm& jvm_ = TestJvm::instance();
    LocalFrame frame_;
};

}  // namespace pelmora::test
