#include "TestDoubles.h"

#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/ComObject.h>
#include <pelmora/com/ComPtr.h>
#include <pelmora/com/InterfaceTable.h>

#include <objidl.h>

#include <gtest/gtest.h>

namespace pelmora::com {
namespace {

using test::CountedUnknown;
using test::CountingModule;
using test::untouched;

// {6B0F3D2A-5C1E-4E7B-9A41-0C2D7E5F8A13}
const CLSID probeClass = {0x6b0f3d2a, 0x5c1e, 0x4e7b, {0x9a, 0x41, 0x0c, 0x2d, 0x7e, 0x5f, 0x8a, 0x13}};

int liveProbes = 0;

// A class with one interface of its own; GetClassID shows that a call reached the object.
class Probe final : public ComObject<Probe, IPersist> {
  public:
    Probe(ModuleLock& module, IUnknown* outer) : ComObject(module, outer) { ++liveProbes; }
    ~Probe() override { --liveProbes; }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = probeClass;
        return S_OK;
    }

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override {
        IPersist* self = this;
        return answerFromInterfaceTable({{IID_IUnknown, self}, {IID_IPersist, self}}, iid, object);
    }
};

template <class Interface>
void** out(Interface** pointer) {
    *pointer = static_cast<Interface*>(untouched);
    return reinterpret_cast<void**>(pointer);
}

TEST(InterfaceTableTest, AnswersListedInterfacesWithOneReference) {
    CountedUnknown first;
    CountedUnknown second;
    auto ask = [&](REFIID iid, void** object) {
        return answerFromInterfaceTable({{IID_IUnknown, &first}, {IID_IPersist, &second}}, iid, object);
    };
    IUnknown* found = nullptr;
    EXPECT_EQ(ask(IID_IPersist, out(&found)), S_OK);
    EXPECT_EQ(found, &second);
    EXPECT_EQ(second.references, 2u);
    EXPECT_EQ(first.references, 1u);

    EXPECT_EQ(ask(IID_IDispatch, out(&found)), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(ask(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(first.references, 1u);
}

TEST(ComObjectTest, EachLiveObjectHoldsOneModuleLock) {
    CountingModule module;
    ComPtr<IPersist> one;
    ComPtr<IPersist> two;
    ASSERT_EQ(createObject<Probe>(module, nullptr, IID_IPersist, one.receiveVoid()), S_OK);
    ASSERT_EQ(createObject<Probe>(module, nullptr, IID_IPersist, two.receiveVoid()), S_OK);
    EXPECT_EQ(module.count, 2);
    one.reset();
    EXPECT_EQ(module.count, 1);

    // A failed query takes the new object down again.
    IDispatch* dispatch = nullptr;
    EXPECT_EQ(createObject<Probe>(module, nullptr, IID_IDispatch, out(&dispatch)), E_NOINTERFACE);
    EXPECT_EQ(dispatch, nullptr);
    EXPECT_EQ(createObject<Probe>(module, nullptr, IID_IPersist, nullptr), E_POINTER);
    EXPECT_EQ(module.count, 1);
    EXPECT_EQ(liveProbes, 1);
    two.reset();
    EXPECT_EQ(module.count, 0);
}

TEST(ComObjectTest, AggregatedObjectDelegatesToTheOuterAndLivesByItsInnerUnknown) {
    CountingModule module;
    CountedUnknown outer;
    IUnknown* inner = nullptr;
    ASSERT_EQ(createObject<Probe>(module, &outer, IID_IUnknown, out(&inner)), S_OK);
    EXPECT_EQ(outer.references, 1u);

    // The inner IUnknown answers IUnknown with itself, counted on the object...
    IUnknown* innerAgain = nullptr;
    ASSERT_EQ(inner->QueryInterface(IID_IUnknown, out(&innerAgain)), S_OK);
    EXPECT_EQ(innerAgain, inner);
    EXPECT_EQ(innerAgain->Release(), 1u);
    // ...and the object's interfaces with its own pointers, counted on the outer object.
    IPersist* persist = nullptr;
    ASSERT_EQ(inner->QueryInterface(IID_IPersist, out(&persist)), S_OK);
    EXPECT_NE(static_cast<void*>(persist), static_cast<void*>(inner));
    EXPECT_EQ(outer.references, 2u);
    CLSID id = {};
    EXPECT_EQ(persist->GetClassID(&id), S_OK);
    EXPECT_TRUE(IsEqualCLSID(id, probeClass));

    // Those interfaces ask the outer object, which knows IUnknown only.
    IUnknown* identity = nullptr;
    ASSERT_EQ(persist->QueryInterface(IID_IUnknown, out(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    EXPECT_EQ(persist->QueryInterface(IID_IPersist, out(&identity)), E_NOINTERFACE);
    EXPECT_EQ(persist->Release(), 2u);
    EXPECT_EQ(outer.Release(), 1u);
    EXPECT_EQ(liveProbes, 1);

    EXPECT_EQ(inner->Release(), 0u);
    EXPECT_EQ(liveProbes, 0);
    EXPECT_EQ(module.count, 0);
    EXPECT_EQ(outer.references, 1u);
}

class ClassFactoryTest : public ::testing::Test {
  protected:
    ComPtr<IClassFactory> make(Aggregation aggregation,
                               ClassObjectLocking locking = ClassObjectLocking::never) {
        return ComPtr<IClassFactory>::adopt(
            ClassFactory::make({&createObject<Probe>, aggregation}, module_, locking));
    }

    CountingModule module_;
    CountedUnknown outer_;
};

TEST_F(ClassFactoryTest, CreatesObjectsAndInnerObjectsOnly) {
    auto factory = make(Aggregation::allowed);
    IPersist* persist = nullptr;
    EXPECT_EQ(factory->CreateInstance(&outer_, IID_IPersist, out(&persist)), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(persist, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, nullptr), E_POINTER);
    EXPECT_EQ(liveProbes, 0);

    ComPtr<IPersist> plain;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersist, plain.receiveVoid()), S_OK);
    ComPtr<IUnknown> inner;
    ASSERT_EQ(factory->CreateInstance(&outer_, IID_IUnknown, inner.receiveVoid()), S_OK);
    ComPtr<IPersist> part;
    ASSERT_EQ(inner->QueryInterface(IID_IPersist, part.receiveVoid()), S_OK);
    EXPECT_EQ(outer_.references, 2u);
    EXPECT_EQ(module_.count, 2);

    IUnknown* refused = nullptr;
    EXPECT_EQ(make(Aggregation::refused)->CreateInstance(&outer_, IID_IUnknown, out(&refused)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(liveProbes, 2);
}

TEST_F(ClassFactoryTest, AnswersTwoInterfacesAndCountsOnTheModuleOnlyThroughLockServer) {
    auto factory = make(Aggregation::refused);
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, unknown.receiveVoid()), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(factory.get()));
    IPersist* persist = nullptr;
    EXPECT_EQ(factory->QueryInterface(IID_IPersist, out(&persist)), E_NOINTERFACE);
    EXPECT_EQ(persist, nullptr);
    unknown.reset();
    EXPECT_EQ(module_.count, 0);

    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(module_.count, 2);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(module_.count, 0);
}

TEST_F(ClassFactoryTest, LocksTheModuleWhileClientsHoldTheClassObject) {
    // The reference make gives is the module's own.
    auto factory = make(Aggregation::allowed, ClassObjectLocking::whileClientsHoldIt);
    EXPECT_EQ(module_.count, 0);
    ComPtr<IClassFactory> client;
    ASSERT_EQ(factory->QueryInterface(IID_IClassFactory, client.receiveVoid()), S_OK);
    EXPECT_EQ(module_.count, 1);
    ComPtr<IUnknown> secondClient = ComPtr<IUnknown>::adopt(client.get());
    secondClient->AddRef();
    EXPECT_EQ(module_.count, 1);
    secondClient.reset();
    EXPECT_EQ(module_.count, 1);
    client.reset();
    EXPECT_EQ(module_.count, 0);
}

}  // namespace
}  // namespace pelmora::com
