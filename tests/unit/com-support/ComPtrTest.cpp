#include "TestDoubles.h"

#include <pelmora/com/ComPtr.h>

#include <gtest/gtest.h>

namespace pelmora::com {
namespace {

using test::CountedUnknown;

TEST(ComPtrTest, ReleasesEveryReferenceExactlyOnce) {
    CountedUnknown object;
    CountedUnknown other;
    {
        auto first = ComPtr<IUnknown>::adopt(&object);
        ComPtr<IUnknown> copy = first;
        ComPtr<IUnknown> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(moved.get(), &object);
        moved = first;  // the same object again: one reference added, one released
        EXPECT_EQ(object.references, 2u);
        moved.reset();
        moved.reset();
        EXPECT_EQ(object.references, 1u);

        // receive releases what is held before a function fills it in; release hands a reference over
        auto holder = ComPtr<IUnknown>::adopt(&other);
        IUnknown** slot = holder.receive();
        EXPECT_EQ(other.references, 0u);
        EXPECT_EQ(*slot, nullptr);
        *slot = &object;
        object.AddRef();
        holder.release()->Release();
        EXPECT_FALSE(holder);
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 0u);
    EXPECT_EQ(other.references, 0u);
}

TEST(UniqueBstrTest, KeepsOneOwnerForEachString) {
    UniqueBstr first(SysAllocString(L"first"));
    const BSTR text = first.get();
    UniqueBstr second(std::move(first));
    UniqueBstr third(SysAllocString(L"third"));
    third = std::move(second);
    EXPECT_FALSE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(third.get(), text);

    // receive frees what is held and gives an empty slot to a function that returns a BSTR
    BSTR* slot = third.receive();
    EXPECT_EQ(*slot, nullptr);
    *slot = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(third.get()), 3u);
    const BSTR released = third.release();
    EXPECT_FALSE(third);
    SysFreeString(released);
}

}  // namespace
}  // namespace pelmora::com
