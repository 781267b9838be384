// The handler DLL loaded into this process, with no thumbnail server registered: its class objects and lock
// count, both classes' interfaces and aggregation, the provider's stream references, the path-based
// extractor's protocol and message boxes, and the events either writes when the server cannot be reached.
#include "EventLogLines.h"
#include "HandlerInstallation.h"
#include "MessageBoxes.h"
#include "ScriptedStream.h"
#include "Utf8Text.h"

#include <pelmora/com/ComPtr.h>

#include <shobjidl.h>
#include <thumbcache.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace pelmora::test {
namespace {

using com::ComPtr;

// A value no call leaves in an output argument.
void* const untouched = reinterpret_cast<void*>(static_cast<UINT_PTR>(0x5A5A5A5A));

ErrorEvent event(const char* message, const std::string& detail) {
    return {message, detail};
}

class HandlerObjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        // Every request below must fail to reach a server.
        for (const wchar_t* progId :
             {L"PelmoraThumbSrv.ThumbExtractor", L"PelmoraThumbSrv.ExtThumbExtractor"}) {
            ASSERT_EQ(clsidOfProgId(progId), L"") << "a thumbnail server is registered in this prefix";
        }
    }
    void TearDown() override { CoUninitialize(); }

    LoadedHandler handler;
};

TEST_F(HandlerObjectTest, ClassObjectsAreServedForTheTwoClassesOnlyAndKeptOnceMade) {
    EXPECT_EQ(handler.getClassObject(CLSID_PelmoraExtThumb, IID_IClassFactory, nullptr), E_POINTER);
    void* object = untouched;
    // The thumbnail server's class is not the handler's.
    const CLSID serverClass = {0xC3C9E83C, 0x8D4A, 0x4E5E, {0x94, 0xE2, 0x02, 0xF1, 0x5D, 0xF3, 0x11, 0xA3}};
    EXPECT_EQ(handler.getClassObject(serverClass, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    for (const CLSID* clsid : {&CLSID_PelmoraExtractor, &CLSID_PelmoraExtThumb}) {
        ComPtr<IClassFactory> first;
        ComPtr<IClassFactory> second;
        ASSERT_EQ(handler.getClassObject(*clsid, IID_IClassFactory, first.receiveVoid()), S_OK);
        ASSERT_EQ(handler.getClassObject(*clsid, IID_IUnknown, second.receiveVoid()), S_OK);
        EXPECT_EQ(static_cast<IUnknown*>(first.get()), static_cast<IUnknown*>(second.get()));
        object = untouched;
        EXPECT_EQ(handler.getClassObject(*clsid, IID_IClassFactory2, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }
}

TEST_F(HandlerObjectTest, TheModuleCanUnloadOnlyWhenNothingHoldsIt) {
    EXPECT_EQ(handler.canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(handler.getClassObject(CLSID_PelmoraExtThumb, IID_IClassFactory, factory.receiveVoid()), S_OK);
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE) << "a client holds a class object";
    {
        ComPtr<IClassFactory> again = factory;
        EXPECT_EQ(handler.canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE);

    ComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.receiveVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE) << "an object and a server lock";
    object.reset();
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE) << "a server lock";
    ASSERT_EQ(handler.getClassObject(CLSID_PelmoraExtractor, IID_IClassFactory, factory.receiveVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE) << "the class object again";
    ComPtr<IExtractImage> extractor;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IExtractImage, extractor.receiveVoid()), S_OK);
    factory.reset();
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE) << "an object";
    extractor.reset();
    EXPECT_EQ(handler.canUnloadNow(), S_OK);
}

// An outer object that owns an inner one the way an aggregating client does.
class OuterObject final : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        ++queries;
        if (!object) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, object) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    IUnknown* inner = nullptr;
    ULONG references = 1;
    int queries = 0;
};

TEST_F(HandlerObjectTest, OnlyTheStreamProviderCanBeAggregatedAndThenOnlyThroughIUnknown) {
    OuterObject outer;
    ComPtr<IClassFactory> extractorFactory;
    ComPtr<IClassFactory> providerFactory;
    ASSERT_EQ(
        handler.getClassObject(CLSID_PelmoraExtractor, IID_IClassFactory, extractorFactory.receiveVoid()),
        S_OK);
    ASSERT_EQ(handler.getClassObject(CLSID_PelmoraExtThumb, IID_IClassFactory, providerFactory.receiveVoid()),
              S_OK);
    void* object = untouched;
    EXPECT_EQ(extractorFactory->CreateInstance(&outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(providerFactory->CreateInstance(&outer, __uuidof(IThumbnailProvider), &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    ASSERT_EQ(providerFactory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    EXPECT_EQ(outer.references, 1u) << "the inner object holds no reference on its outer object";
    EXPECT_EQ(handler.canUnloadNow(), S_FALSE);
    // The inner object's interfaces speak for the outer object.
    ComPtr<IThumbnailProvider> provider;
    ASSERT_EQ(outer.QueryInterface(__uuidof(IThumbnailProvider), provider.receiveVoid()), S_OK);
    EXPECT_EQ(outer.references, 2u);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(provider->QueryInterface(IID_IUnknown, identity.receiveVoid()), S_OK);
    EXPECT_EQ(identity.get(), static_cast<IUnknown*>(&outer));
    identity.reset();
    provider.reset();
    EXPECT_EQ(outer.references, 1u);
    EXPECT_EQ(outer.inner->Release(), 0u);
    outer.inner = nullptr;
    providerFactory.reset();
    extractorFactory.reset();
    EXPECT_EQ(handler.canUnloadNow(), S_OK);
}

// Whether the object answers the interface, with the pointer it gives for it.
template <class Object>
IUnknown* answer(const ComPtr<Object>& object, REFIID iid) {
    void* pointer = untouched;
    const HRESULT result = object->QueryInterface(iid, &pointer);
    if (FAILED(result)) {
        EXPECT_EQ(pointer, nullptr);
        return nullptr;
    }
    auto* unknown = static_cast<IUnknown*>(pointer);
    unknown->Release();
    return unknown;
}

TEST_F(HandlerObjectTest, EachClassAnswersItsOwnInterfacesAndNoOthers) {
    ComPtr<IUnknown> extractor;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtractor, extractor), S_OK);
    IUnknown* own = answer(extractor, IID_IPelmoraExtractor);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(answer(extractor, IID_IUnknown), own);
    EXPECT_NE(answer(extractor, IID_IPersistFile), nullptr);
    EXPECT_NE(answer(extractor, IID_IExtractImage), nullptr);
    EXPECT_EQ(answer(extractor, IID_IExtractImage), answer(extractor, IID_IExtractImage2));
    for (const IID* other : {&IID_IPersist, &IID_IDispatch, &__uuidof(IThumbnailProvider),
                             &IID_IInitializeWithStream, &IID_IPelmoraExtThumb, &IID_IMarshal}) {
        EXPECT_EQ(answer(extractor, *other), nullptr);
    }

    ComPtr<IUnknown> provider;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtThumb, provider), S_OK);
    own = answer(provider, IID_IPelmoraExtThumb);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(answer(provider, IID_IUnknown), own);
    EXPECT_EQ(answer(provider, IID_IDispatch), own);
    EXPECT_NE(answer(provider, IID_IInitializeWithStream), nullptr);
    EXPECT_NE(answer(provider, __uuidof(IThumbnailProvider)), nullptr);
    for (const IID* other : {&IID_IPersistFile, &IID_IExtractImage, &IID_IExtractImage2,
                             &IID_IPelmoraExtractor, &IID_IMarshal}) {
        EXPECT_EQ(answer(provider, *other), nullptr);
    }
}

TEST_F(HandlerObjectTest, InitializeHoldsOneReferenceOnTheLatestStreamOnly) {
    ScriptedStream first("(;GM[1])", 8);
    ScriptedStream second("(;GM[1])", 8);
    {
        ComPtr<IInitializeWithStream> provider;
        ASSERT_EQ(handler.create(CLSID_PelmoraExtThumb, provider), S_OK);
        EXPECT_EQ(provider->Initialize(&first, STGM_READ), S_OK);
        EXPECT_EQ(first.references, 2u);
        EXPECT_EQ(provider->Initialize(&first, STGM_READ), S_OK);
        EXPECT_EQ(first.references, 2u) << "the stream already held";
        EXPECT_EQ(provider->Initialize(&second, STGM_READ), S_OK);
        EXPECT_EQ(first.references, 1u);
        EXPECT_EQ(second.references, 2u);
        EXPECT_EQ(provider->Initialize(nullptr, STGM_READ), S_OK);
        EXPECT_EQ(second.references, 1u);
        EXPECT_EQ(provider->Initialize(&first, STGM_READ), S_OK);
        EXPECT_EQ(first.references, 2u);
    }
    EXPECT_EQ(first.references, 1u) << "released with the object";
    EXPECT_EQ(first.reads + second.reads + first.otherCalls + second.otherCalls, 0)
        << "the handler never reads the stream itself";
}

TEST_F(HandlerObjectTest, GetThumbnailWithoutAStreamFailsAtOnceWithTheAlphaTypeSet) {
    ComPtr<IThumbnailProvider> provider;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtThumb, provider), S_OK);
    const DebugOutputWatch watch;
    HBITMAP bitmap = static_cast<HBITMAP>(untouched);
    WTS_ALPHATYPE alpha = WTSAT_ARGB;
    EXPECT_EQ(provider->GetThumbnail(256, &bitmap, &alpha), E_FAIL);
    EXPECT_EQ(alpha, WTSAT_RGB);
    EXPECT_EQ(bitmap, nullptr);
    EXPECT_TRUE(watch.events().empty()) << "no server was asked for";
}

TEST_F(HandlerObjectTest, EachStreamRequestToAMissingServerReportsOnceAndLetsGoOfTheStream) {
    ComPtr<IUnknown> object;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtThumb, object), S_OK);
    ComPtr<IInitializeWithStream> initialize;
    ComPtr<IThumbnailProvider> provider;
    ASSERT_EQ(object->QueryInterface(IID_IInitializeWithStream, initialize.receiveVoid()), S_OK);
    ASSERT_EQ(object->QueryInterface(__uuidof(IThumbnailProvider), provider.receiveVoid()), S_OK);
    for (int round = 0; round < 2; ++round) {
        ScriptedStream stream("(;GM[1])", 8);
        ASSERT_EQ(initialize->Initialize(&stream, STGM_READ), S_OK);
        const DebugOutputWatch watch;
        HBITMAP bitmap = static_cast<HBITMAP>(untouched);
        WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
        EXPECT_EQ(provider->GetThumbnail(256, &bitmap, &alpha), E_FAIL);
        EXPECT_EQ(alpha, WTSAT_RGB);
        EXPECT_EQ(bitmap, nullptr);
        EXPECT_EQ(stream.references, 1u) << "the object holds no stream after GetThumbnail";
        EXPECT_EQ(
            watch.events(),
            (std::vector<ErrorEvent>{event("Pelmora thumbail stream generation", "Error in CoCreate")}));
    }
}

TEST_F(HandlerObjectTest, GetLocationRecordsTheSizeAndAnswersAsynchronousRequestsWithPending) {
    ComPtr<IExtractImage2> extractor;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtractor, extractor), S_OK);
    wchar_t path[MAX_PATH] = L"left alone";
    DWORD priority = 7;
    const SIZE size{256, 192};
    DWORD flags = IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE;
    EXPECT_EQ(extractor->GetLocation(path, MAX_PATH, &priority, &size, 32, &flags), E_PENDING);
    EXPECT_STREQ(path, L"left alone");
    EXPECT_EQ(priority, 7u);
    EXPECT_EQ(flags, static_cast<DWORD>(IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE));
    flags = IEIFLAG_ORIGSIZE;
    EXPECT_EQ(extractor->GetLocation(path, MAX_PATH, &priority, &size, 32, &flags), S_OK);
    EXPECT_EQ(flags, static_cast<DWORD>(IEIFLAG_ORIGSIZE));
    EXPECT_EQ(extractor->GetLocation(path, MAX_PATH, &priority, nullptr, 32, &flags), E_INVALIDARG);
}

class PathExtractorTest : public HandlerObjectTest {
  protected:
    void SetUp() override {
        HandlerObjectTest::SetUp();
        ASSERT_EQ(handler.create(CLSID_PelmoraExtractor, extractor), S_OK);
        ASSERT_EQ(extractor->QueryInterface(IID_IPersistFile, file.receiveVoid()), S_OK);
        gamePath = folder.createFile(L"game.sgf", "(;GM[1]SZ[9])");
    }

    HRESULT extract(HBITMAP* bitmap) {
        *bitmap = static_cast<HBITMAP>(untouched);
        return extractor->Extract(bitmap);
    }

    HRESULT locate(LONG width, LONG height) {
        DWORD priority = 0;
        DWORD flags = 0;
        const SIZE size{width, height};
        return extractor->GetLocation(nullptr, 0, &priority, &size, 32, &flags);
    }

    TempFolder folder{L"pelmora extractor"};
    std::wstring gamePath;
    ComPtr<IExtractImage2> extractor;
    ComPtr<IPersistFile> file;
};

TEST_F(PathExtractorTest, ExtractOutOfOrderFailsWithoutAskingAnyServer) {
    const DebugOutputWatch watch;
    HBITMAP bitmap;
    EXPECT_EQ(extract(&bitmap), E_FAIL) << "before Load";
    EXPECT_EQ(bitmap, nullptr);
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    EXPECT_EQ(extract(&bitmap), E_FAIL) << "before GetLocation";
    EXPECT_EQ(bitmap, nullptr);
    FILETIME stamp{};
    ComPtr<IExtractImage2> fresh;
    ASSERT_EQ(handler.create(CLSID_PelmoraExtractor, fresh), S_OK);
    EXPECT_EQ(fresh->GetDateStamp(&stamp), E_FAIL) << "GetDateStamp before Load";
    EXPECT_TRUE(watch.events().empty());
}

TEST_F(PathExtractorTest, EachExtractToAMissingServerReportsOnce) {
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    ASSERT_EQ(locate(256, 256), S_OK);
    for (int round = 0; round < 2; ++round) {
        const DebugOutputWatch watch;
        HBITMAP bitmap;
        EXPECT_EQ(extract(&bitmap), E_FAIL);
        EXPECT_EQ(bitmap, nullptr);
        EXPECT_EQ(
            watch.events(),
            (std::vector<ErrorEvent>{event("Pelmora thumbail generation (file)", "Error in CoCreate")}));
    }
}

TEST_F(PathExtractorTest, APathTooLongForItsFieldIsRefusedAndLeavesNoPath) {
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 4, L'a');
    ASSERT_EQ(longest.size(), static_cast<std::size_t>(MAX_PATH - 1));
    EXPECT_EQ(file->Load(longest.c_str(), STGM_READ), S_OK);
    const std::wstring tooLong = longest + L"b";
    EXPECT_EQ(file->Load(tooLong.c_str(), STGM_READ), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    const DebugOutputWatch watch;
    FILETIME stamp{};
    EXPECT_EQ(extractor->GetDateStamp(&stamp), E_FAIL);
    ASSERT_EQ(locate(256, 256), S_OK);
    HBITMAP bitmap;
    EXPECT_EQ(extract(&bitmap), E_FAIL);
    EXPECT_TRUE(watch.events().empty()) << "the earlier path was not kept either";
}

TEST_F(PathExtractorTest, TheDateStampIsTheFilesLastWriteTime) {
    const FILETIME written{0x12345678, 0x01D00000};
    {
        const FileHandle handle(CreateFileW(gamePath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(handle);
        ASSERT_TRUE(SetFileTime(handle.get(), nullptr, nullptr, &written));
    }
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    FILETIME stamp{};
    ASSERT_EQ(extractor->GetDateStamp(&stamp), S_OK);
    EXPECT_EQ(stamp.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(stamp.dwHighDateTime, written.dwHighDateTime);
}

TEST_F(PathExtractorTest, TheDateStampNeverStandsInTheWayOfAWriter) {
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    // The application saves the record again and again, once sharing nothing, while Explorer asks for dates.
    std::atomic<bool> stop{false};
    std::atomic<int> failedWrites{0};
    std::thread writer([&] {
        for (int round = 0; !stop; ++round) {
            const FileHandle handle(CreateFileW(gamePath.c_str(), GENERIC_WRITE,
                                                round % 2 ? FILE_SHARE_READ : 0, nullptr, CREATE_ALWAYS, 0,
                                                nullptr));
            DWORD written = 0;
            if (!handle || !WriteFile(handle.get(), "(;GM[1])", 8, &written, nullptr)) ++failedWrites;
        }
    });
    const DebugOutputWatch watch;
    int failedStamps = 0;
    for (const auto end = GetTickCount64() + 1000; GetTickCount64() < end;) {
        FILETIME stamp{};
        if (extractor->GetDateStamp(&stamp) != S_OK) ++failedStamps;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(failedWrites, 0);
    EXPECT_EQ(failedStamps, 0);
    EXPECT_TRUE(watch.events().empty());
}

TEST_F(PathExtractorTest, AFileThatIsGoneHasNoDateStampAndIsReportedWithItsPath) {
    ASSERT_EQ(file->Load(gamePath.c_str(), STGM_READ), S_OK);
    ASSERT_TRUE(DeleteFileW(gamePath.c_str()));
    const DebugOutputWatch watch;
    FILETIME stamp{1, 2};
    EXPECT_EQ(extractor->GetDateStamp(&stamp), E_FAIL);
    EXPECT_EQ(stamp.dwLowDateTime, 1u);
    EXPECT_EQ(stamp.dwHighDateTime, 2u);
    EXPECT_EQ(watch.events(),
              std::vector<ErrorEvent>{event("could not get date for file", toUtf8(gamePath))});
}

TEST_F(PathExtractorTest, TheUnimplementedFileMethodsAnswerQuietly) {
    CLSID clsid = CLSID_NULL;
    LPOLESTR current = static_cast<LPOLESTR>(untouched);
    const DebugOutputWatch watch;
    EXPECT_EQ(file->GetClassID(&clsid), E_NOTIMPL);
    EXPECT_EQ(file->IsDirty(), E_NOTIMPL);
    EXPECT_EQ(file->Save(L"C:\\elsewhere.sgf", TRUE), E_NOTIMPL);
    EXPECT_EQ(file->SaveCompleted(L"C:\\elsewhere.sgf"), E_NOTIMPL);
    EXPECT_EQ(file->GetCurFile(&current), E_NOTIMPL);
    EXPECT_FALSE(anyMessageBox(GetCurrentProcessId())) << "a box inside Explorer stops its thread";
    EXPECT_TRUE(watch.events().empty());
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_NULL));
    EXPECT_EQ(current, nullptr);
}

}  // namespace
}  // namespace pelmora::test
