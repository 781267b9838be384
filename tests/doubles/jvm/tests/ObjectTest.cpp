// Strings, arrays and local frames: contents survive the round trips, release modes copy back or not, and
// out-of-range accesses raise what Java raises.
#include "JniHelpers.h"
#include "JvmTest.h"

namespace testjvm_test {
namespace {

using namespace std::string_literals;

class ObjectTest : public JvmTest {
  protected:
    void SetUp() override {
        JvmTest::SetUp();
        ASSERT_EQ(create({}), JNI_OK);
    }

    std::vector<jint> intContents(jintArray array) {
        std::vector<jint> contents(static_cast<std::size_t>(env_->GetArrayLength(array)));
        env_->GetIntArrayRegion(array, 0, static_cast<jsize>(contents.size()), contents.data());
        return contents;
    }
};

TEST_F(ObjectTest, StringCharsRoundTripIncludingNulAndSurrogates) {
    const std::u16string text = u"a\0\u00e9\U0001D11E"s;
    jstring string =
        env_->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
    ASSERT_EQ(env_->GetStringLength(string), 5);

    jboolean isCopy = JNI_FALSE;
    const jchar* chars = env_->GetStringChars(string, &isCopy);
    EXPECT_EQ(std::u16string(chars, chars + 5), text);
    env_->ReleaseStringChars(string, chars);

    // Modified UTF-8: NUL as C0 80, each surrogate as its own three bytes.
    const char* utf = env_->GetStringUTFChars(string, nullptr);
    EXPECT_EQ(std::string(utf), "a\xC0\x80\xC3\xA9\xED\xA0\xB4\xED\xB4\x9E");
    jstring back = env_->NewStringUTF(utf);
    env_->ReleaseStringUTFChars(string, utf);
    const jchar* backChars = env_->GetStringChars(back, nullptr);
    EXPECT_EQ(std::u16string(backChars, backChars + env_->GetStringLength(back)), text);
    env_->ReleaseStringChars(back, backChars);
}

TEST_F(ObjectTest, ReleaseModesCopyBackAndFreeAsJniSays) {
    jintArray array = env_->NewIntArray(3);
    EXPECT_EQ(intContents(array), (std::vector<jint>{0, 0, 0}));

    jint* elements = env_->GetIntArrayElements(array, nullptr);
    elements[0] = 1;
    elements[1] = 2;
    elements[2] = 3;
    env_->ReleaseIntArrayElements(array, elements, JNI_COMMIT);  // copied back, still lent
    EXPECT_EQ(intContents(array), (std::vector<jint>{1, 2, 3}));
    elements[0] = 9;
    env_->ReleaseIntArrayElements(array, elements, JNI_ABORT);  // freed, not copied
    EXPECT_EQ(intContents(array), (std::vector<jint>{1, 2, 3}));

    elements = env_->GetIntArrayElements(array, nullptr);
    elements[2] = 7;
    env_->ReleaseIntArrayElements(array, elements, 0);  // copied back and freed
    EXPECT_EQ(intContents(array), (std::vector<jint>{1, 2, 7}));

    jbyteArray bytes = env_->NewByteArray(2);
    jbyte* byteElements = env_->GetByteArrayElements(bytes, nullptr);
    byteElements[1] = -5;
    env_->ReleaseByteArrayElements(bytes, byteElements, 0);
    jbyte byteRead[2] = {};
    env_->GetByteArrayRegion(bytes, 0, 2, byteRead);
    EXPECT_EQ(byteRead[1], -5);

    jfloatArray floats = env_->NewFloatArray(1);
    const jfloat value = 2.5f;
    env_->SetFloatArrayRegion(floats, 0, 1, &value);
    jfloat* floatElements = env_->GetFloatArrayElements(floats, nullptr);
    EXPECT_EQ(floatElements[0], 2.5f);
    env_->ReleaseFloatArrayElements(floats, floatElements, JNI_ABORT);
    EXPECT_FALSE(env_->ExceptionCheck());
}

TEST_F(ObjectTest, RegionOutOfRangeRaisesArrayIndexOutOfBounds) {
    jbyteArray bytes = env_->NewByteArray(4);
    const jbyte source[3] = {1, 2, 3};
    env_->SetByteArrayRegion(bytes, 2, 3, source);
    EXPECT_EQ(
        describeAndClear(env_),
        "describe java.lang.ArrayIndexOutOfBoundsException: Array region 2..5 out of bounds for length 4");
    jbyte read[4] = {9, 9, 9, 9};
    env_->GetByteArrayRegion(bytes, 0, 4, read);
    EXPECT_EQ(std::vector<jbyte>(read, read + 4), (std::vector<jbyte>{0, 0, 0, 0}));

    jfloatArray floats = env_->NewFloatArray(2);
    jfloat out[2] = {};
    env_->GetFloatArrayRegion(floats, -1, 1, out);
    EXPECT_EQ(
        describeAndClear(env_),
        "describe java.lang.ArrayIndexOutOfBoundsException: Array region -1..0 out of bounds for length 2");
}

TEST_F(ObjectTest, ObjectArrayIndexOutOfRangeRaisesArrayIndexOutOfBounds) {
    jobjectArray array = newStringArray(env_, {L"a", L"b", L"c"});
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(env_->GetArrayLength(array), 3);
    jstring extra = env_->NewStringUTF("d");
    env_->SetObjectArrayElement(array, 3, extra);
    EXPECT_EQ(describeAndClear(env_),
              "describe java.lang.ArrayIndexOutOfBoundsException: Index 3 out of bounds for length 3");
    env_->SetObjectArrayElement(array, 1, extra);
    EXPECT_TRUE(env_->IsSameObject(env_->GetObjectArrayElement(array, 1), extra));
    EXPECT_FALSE(env_->ExceptionCheck());
}

TEST_F(ObjectTest, PopLocalFrameKeepsOnlyItsResult) {
    ASSERT_EQ(env_->PushLocalFrame(4), JNI_OK);
    jstring inner = env_->NewStringUTF("kept");
    jstring survivor = static_cast<jstring>(env_->PopLocalFrame(inner));
    ASSERT_NE(survivor, nullptr);
    EXPECT_NE(survivor, inner);
    EXPECT_EQ(env_->GetStringLength(survivor), 4);
    // A global reference outlives every frame.
    jobject global = env_->NewGlobalRef(survivor);
    env_->DeleteLocalRef(survivor);
    EXPECT_EQ(env_->GetStringLength(static_cast<jstring>(global)), 4);
    env_->DeleteGlobalRef(global);
}

}  // namespace
}  // namespace testjvm_test
