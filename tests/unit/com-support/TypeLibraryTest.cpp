#include "ModulePaths.h"
#include "PelmoraThumbSrv.h"
#include "RegistryFixture.h"
#include "TestDoubles.h"
#include "TestFiles.h"

#include <pelmora/com/ComObject.h>
#include <pelmora/com/ComPtr.h>
#include <pelmora/com/DispatchImplementation.h>
#include <pelmora/com/InterfaceTable.h>
#include <pelmora/com/TypeLibraryRegistration.h>

#include "ComCalls.h"

#include <gtest/gtest.h>

namespace pelmora::com {
namespace {

using test::CountingModule;
using test::untouched;

// The thumbnail server's library, as RegisterTypeLib writes it machine-wide.
const std::wstring libraryId = L"{340BE246-6FF1-428C-A98A-4B3A58737DAF}";
const std::wstring libraryKey = L"Software\\Classes\\TypeLib\\" + libraryId + L"\\1.1\\409\\win64";
const std::wstring interfaceKey = L"Software\\Classes\\Interface\\{2562604E-6D65-4FB1-BFC1-71709531D24D}";
constexpr LCID libraryLocale = 0x409;

std::wstring machineValue(const std::wstring& key) {
    std::wstring value;
    return pelmora::test::readString(HKEY_LOCAL_MACHINE, key, L"", value) ? value : L"<missing>";
}

// Copies of the server's files in a temporary folder; whatever a test registered is unregistered at its end,
// because other test programs register the same library.
class TypeLibraryTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (!registered_.empty()) unregisterTypeLibrary(registered_, RegistrationScope::machine);
    }

    std::wstring copyServer() const {
        const std::wstring server = folder_ / L"Server.exe";
        pelmora::test::copyFile(pelmora::test::binaryFolder() + L"\\PelmoraThumbSrv64.exe", server);
        return server;
    }
    void registerFrom(const std::wstring& modulePath) {
        ASSERT_EQ(registerTypeLibrary(modulePath, RegistrationScope::machine), S_OK);
        registered_ = modulePath;
    }
    void unregisterFrom(const std::wstring& modulePath) {
        registered_.clear();
        ASSERT_EQ(unregisterTypeLibrary(modulePath, RegistrationScope::machine), S_OK);
        EXPECT_FALSE(pelmora::test::keyExists(HKEY_LOCAL_MACHINE, libraryKey));
        EXPECT_FALSE(pelmora::test::keyExists(HKEY_LOCAL_MACHINE, interfaceKey));
    }

    pelmora::test::TempFolder folder_{L"com-support"};
    std::wstring registered_;
};

TEST_F(TypeLibraryTest, RegistersTheLibraryTheModuleCarries) {
    const std::wstring server = copyServer();
    registerFrom(server);
    EXPECT_EQ(machineValue(libraryKey), server);
    EXPECT_EQ(machineValue(interfaceKey + L"\\TypeLib"), libraryId);
    unregisterFrom(server);
}

TEST_F(TypeLibraryTest, FallsBackToTheTlbBesideAModuleWithoutOne) {
    const std::wstring holder = folder_ / L"Holder.exe";
    pelmora::test::copyFile(pelmora::test::programPath(), holder);
    EXPECT_TRUE(FAILED(registerTypeLibrary(holder, RegistrationScope::machine)));

    pelmora::test::copyFile(pelmora::test::binaryFolder() + L"\\" PELMORA_SERVER_TLB_FROM_BIN,
                            folder_ / L"Holder.tlb");
    registerFrom(holder);
    EXPECT_EQ(machineValue(libraryKey), folder_ / L"Holder.tlb");
    unregisterFrom(holder);
}

// An IThumbExtractor whose IDispatch comes from the library; createImage keeps what it was given.
class RecordingExtractor final
    : public ComObject<RecordingExtractor, DispatchImplementation<IThumbExtractor, &IID_IThumbExtractor,
                                                                  &LIBID_PelmoraThumbSrvLib>> {
  public:
    RecordingExtractor(ModuleLock& module, IUnknown* outer) : ComObject(module, outer) {}

    HRESULT STDMETHODCALLTYPE createImage(BSTR* text, unsigned short x, unsigned short y,
                                          BSTR* image) override {
        receivedText = text && *text ? *text : L"<none>";
        receivedX = x;
        receivedY = y;
        *image = SysAllocString(L"image");
        return S_OK;
    }

    std::wstring receivedText;
    unsigned short receivedX = 0;
    unsigned short receivedY = 0;

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override {
        IThumbExtractor* self = this;
        return answerFromInterfaceTable(
            {{IID_IUnknown, self}, {IID_IDispatch, self}, {IID_IThumbExtractor, self}}, iid, object);
    }
};

class DispatchTest : public TypeLibraryTest {
  protected:
    void SetUp() override {
        server_ = copyServer();
        registerFrom(server_);
        ASSERT_EQ(
            createObject<RecordingExtractor>(module_, nullptr, IID_IThumbExtractor, extractor_.receiveVoid()),
            S_OK);
    }

    CountingModule module_;
    std::wstring server_;
    ComPtr<IThumbExtractor> extractor_;
};

TEST_F(DispatchTest, GivesTheInterfaceTypeInformationOnceLoaded) {
    UINT count = 0;
    EXPECT_EQ(extractor_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(extractor_->GetTypeInfoCount(nullptr), E_POINTER);
    ITypeInfo* info = static_cast<ITypeInfo*>(untouched);
    EXPECT_EQ(extractor_->GetTypeInfo(1, libraryLocale, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(extractor_->GetTypeInfo(0, libraryLocale, nullptr), E_POINTER);

    ComPtr<ITypeInfo> loaded;
    ASSERT_EQ(extractor_->GetTypeInfo(0, libraryLocale, loaded.receive()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(loaded->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualIID(attributes->guid, IID_IThumbExtractor));
    loaded->ReleaseTypeAttr(attributes);

    // Kept once loaded: still there after the library is gone from the registry.
    unregisterFrom(server_);
    ComPtr<ITypeInfo> again;
    ASSERT_EQ(extractor_->GetTypeInfo(0, libraryLocale, again.receive()), S_OK);
    EXPECT_EQ(again.get(), loaded.get());
}

TEST_F(DispatchTest, InvokeReachesTheMethodWithItsArguments) {
    wchar_t methodName[] = L"createImage";
    LPOLESTR names[] = {methodName};
    DISPID id = 0;
    ASSERT_EQ(extractor_->GetIDsOfNames(IID_NULL, names, 1, libraryLocale, &id), S_OK);
    EXPECT_EQ(id, 1);

    UniqueBstr path(SysAllocString(L"C:\\games\\first.sgf"));
    BSTR pathArgument = path.get();
    VARIANT result;
    EXPECT_EQ(pelmora::test::invokeCreateImage(extractor_.get(), &pathArgument, 48, 32, libraryLocale,
                                               &result, IID_IDispatch),
              DISP_E_UNKNOWNINTERFACE);
    ASSERT_EQ(
        pelmora::test::invokeCreateImage(extractor_.get(), &pathArgument, 48, 32, libraryLocale, &result),
        S_OK);

    const auto* object = static_cast<RecordingExtractor*>(extractor_.get());
    EXPECT_EQ(object->receivedText, L"C:\\games\\first.sgf");
    EXPECT_EQ(object->receivedX, 48);
    EXPECT_EQ(object->receivedY, 32);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"image");
    VariantClear(&result);
}

}  // namespace
}  // namespace pelmora::com
