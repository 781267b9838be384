// The two extractor classes in this process, with a recording renderer in place of the JVM host: what
// they pass on, what they refuse, how they read a stream, and their COM identity rules.
#include "CountingModule.h"
#include "ExtThumbExtractor.h"
#include "RecordingRenderer.h"
#include "ScriptedStream.h"
#include "ThumbExtractor.h"

#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/ComPtr.h>

#include <gtest/gtest.h>

#include <string>

namespace pelmora::thumbsrv {
namespace {

using com::ComPtr;
using com::UniqueBstr;
using test::CountingModule;
using test::ScriptedStream;

class ExtractorObjectTest : public ::testing::Test {
  protected:
    ExtractorObjectTest() {
        renderCallCount = 0;
        lastRenderCall = {};
        nextImage = "image bytes";
        nextImageIsNull = false;
    }
    ~ExtractorObjectTest() override { EXPECT_EQ(module.count, 0) << "an object outlived its test"; }

    template <class Class, class Interface>
    ComPtr<Interface> create() {
        ComPtr<Interface> object;
        EXPECT_EQ(com::createObject<Class>(module, nullptr, __uuidof(Interface), object.receiveVoid()), S_OK);
        return object;
    }

    CountingModule module;
};

TEST_F(ExtractorObjectTest, ThePathIsPassedAsItsCharactersAndTheImageComesBackAsItIs) {
    auto extractor = create<CThumbExtractor, IThumbExtractor>();
    EXPECT_EQ(module.count, 1);
    // An embedded zero is part of the text: the length decides, not a terminator.
    const std::wstring path(L"C:\\a\0b.sgf", 10);
    UniqueBstr text(SysAllocStringLen(path.data(), static_cast<UINT>(path.size())));
    BSTR textValue = text.get();
    UniqueBstr image;
    ASSERT_EQ(extractor->createImage(&textValue, 300, 65535, image.receive()), S_OK);
    EXPECT_EQ(lastRenderCall.variant, RenderCall::Variant::text);
    EXPECT_EQ(lastRenderCall.text, path);
    EXPECT_EQ(lastRenderCall.x, 300);
    EXPECT_EQ(lastRenderCall.y, 65535);
    ASSERT_TRUE(image);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.get()), SysStringByteLen(image.get())),
              "image bytes");
    EXPECT_EQ(textValue, text.get());

    // A null BSTR is an empty text; a renderer without image gives S_OK and null.
    nextImageIsNull = true;
    BSTR nullText = nullptr;
    ASSERT_EQ(extractor->createImage(&nullText, 1, 1, image.receive()), S_OK);
    EXPECT_EQ(lastRenderCall.text, L"");
    EXPECT_FALSE(image);
}

TEST_F(ExtractorObjectTest, NullArgumentsAreRefusedWithoutCallingTheRenderer) {
    auto thumb = create<CThumbExtractor, IThumbExtractor>();
    auto ext = create<CExtThumbExtractor, IExtThumbExtractor>();
    BSTR stale = reinterpret_cast<BSTR>(0x1);
    BSTR image = stale;
    EXPECT_EQ(thumb->createImage(nullptr, 1, 1, &image), E_INVALIDARG);
    EXPECT_EQ(image, nullptr);
    image = stale;
    EXPECT_EQ(ext->createImage(nullptr, 1, 1, &image), E_INVALIDARG);
    EXPECT_EQ(image, nullptr);
    image = stale;
    EXPECT_EQ(ext->createImageSgf(nullptr, 1, 1, &image), E_INVALIDARG);
    EXPECT_EQ(image, nullptr);

    UniqueBstr text(SysAllocString(L"C:\\x.sgf"));
    BSTR textValue = text.get();
    ScriptedStream stream("data", 4);
    EXPECT_EQ(thumb->createImage(&textValue, 1, 1, nullptr), E_POINTER);
    EXPECT_EQ(ext->createImage(&stream, 1, 1, nullptr), E_POINTER);
    EXPECT_EQ(ext->createImageSgf(&textValue, 1, 1, nullptr), E_POINTER);
    EXPECT_EQ(stream.reads, 0);
    EXPECT_EQ(renderCallCount, 0);
}

TEST_F(ExtractorObjectTest, AStreamIsReadOnceForAtMost20000BytesAndNeverSoughtOrMeasured) {
    auto extractor = create<CExtThumbExtractor, IExtThumbExtractor>();
    UniqueBstr image;
    ScriptedStream shortStream("(;GM[1])", 8);
    ASSERT_EQ(extractor->createImage(&shortStream, 96, 64, image.receive()), S_OK);
    EXPECT_EQ(shortStream.reads, 1);
    EXPECT_EQ(shortStream.requested, 20000u);
    EXPECT_EQ(shortStream.otherCalls, 0);
    EXPECT_EQ(shortStream.queries, 0);
    EXPECT_EQ(shortStream.references, 1u) << "the stream belongs to the caller";
    EXPECT_EQ(lastRenderCall.bytes, "(;GM[1])");
    EXPECT_EQ(lastRenderCall.x, 96);
    EXPECT_EQ(lastRenderCall.y, 64);

    // A count beyond what was asked for is not believed.
    ScriptedStream boastingStream(std::string(20000, 'a'), 50000);
    ASSERT_EQ(extractor->createImage(&boastingStream, 1, 1, image.receive()), S_OK);
    EXPECT_EQ(lastRenderCall.bytes, std::string(20000, 'a'));

    // A failing Read that reports nothing gives the renderer nothing.
    ScriptedStream failingStream("", 0, STG_E_READFAULT);
    ASSERT_EQ(extractor->createImage(&failingStream, 1, 1, image.receive()), S_OK);
    EXPECT_EQ(renderCallCount, 3);
    EXPECT_EQ(lastRenderCall.bytes, "");
}

TEST_F(ExtractorObjectTest, CreateImageSgfPassesTheWholeByteLength) {
    auto extractor = create<CExtThumbExtractor, IExtThumbExtractor>();
    const std::string bytes("\x01\x00\x02\x03\x04\x05\x06", 7);
    UniqueBstr sgf(SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size())));
    BSTR sgfValue = sgf.get();
    UniqueBstr image;
    ASSERT_EQ(extractor->createImageSgf(&sgfValue, 5, 6, image.receive()), S_OK);
    EXPECT_EQ(lastRenderCall.variant, RenderCall::Variant::bytes);
    EXPECT_EQ(lastRenderCall.bytes, bytes);
}

TEST_F(ExtractorObjectTest, EachClassAnswersIUnknownIDispatchAndItsOwnInterfaceOnly) {
    auto thumb = create<CThumbExtractor, IThumbExtractor>();
    auto ext = create<CExtThumbExtractor, IExtThumbExtractor>();
    ComPtr<IUnknown> answer;
    for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_IThumbExtractor}) {
        EXPECT_EQ(thumb->QueryInterface(*iid, answer.receiveVoid()), S_OK);
    }
    for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_IExtThumbExtractor}) {
        EXPECT_EQ(ext->QueryInterface(*iid, answer.receiveVoid()), S_OK);
    }
    EXPECT_EQ(thumb->QueryInterface(IID_IExtThumbExtractor, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_FALSE(answer);
    EXPECT_EQ(ext->QueryInterface(IID_IThumbExtractor, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(ext->QueryInterface(IID_IClassFactory, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(module.count, 2);
}

TEST_F(ExtractorObjectTest, BothClassesCanBeAggregatedWhenIUnknownIsAskedFor) {
    ComPtr<IClassFactory> factory = ComPtr<IClassFactory>::adopt(
        com::ClassFactory::make({&com::createObject<CExtThumbExtractor>, com::Aggregation::allowed}, module,
                                com::ClassObjectLocking::never));
    ASSERT_TRUE(factory);
    // Any object serves as the outer one here; only its identity matters.
    ScriptedStream outer("", 0);
    auto* outerUnknown = reinterpret_cast<IUnknown*>(static_cast<IStream*>(&outer));
    ComPtr<IUnknown> inner;
    EXPECT_EQ(factory->CreateInstance(outerUnknown, IID_IExtThumbExtractor, inner.receiveVoid()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(module.count, 0);
    ASSERT_EQ(factory->CreateInstance(outerUnknown, IID_IUnknown, inner.receiveVoid()), S_OK);
    EXPECT_EQ(module.count, 1);
    // The aggregated object's own interfaces count their references on the outer object.
    const ULONG outerBefore = outer.references;
    ComPtr<IExtThumbExtractor> viaInner;
    ASSERT_EQ(inner->QueryInterface(IID_IExtThumbExtractor, viaInner.receiveVoid()), S_OK);
    EXPECT_EQ(outer.references, outerBefore + 1);
    viaInner.reset();
    EXPECT_EQ(outer.references, outerBefore);
    // The inner IUnknown is the object's own identity.
    ComPtr<IUnknown> innerAgain;
    ASSERT_EQ(inner->QueryInterface(IID_IUnknown, innerAgain.receiveVoid()), S_OK);
    EXPECT_EQ(innerAgain.get(), inner.get());
    innerAgain.reset();
    inner.reset();
    EXPECT_EQ(module.count, 0);
}

}  // namespace
}  // namespace pelmora::thumbsrv
