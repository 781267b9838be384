#include "ServerRequests.h"

#include "HandlerEvents.h"
#include "PelmoraThumbSrv.h"
#include "RequestWorker.h"
#include "WorkerApartment.h"

#include <pelmora/EnvironmentSetting.h>

#include <chrono>
#include <memory>
#include <utility>

namespace pelmora::thumb {
namespace {

using com::ComPtr;
using com::UniqueBstr;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds defaultRequestBound{20000};

// The server's classes are local servers; CLSCTX_ALL lets COM pick whatever is registered.
HRESULT createServerObject(const wchar_t* progId, ComPtr<IUnknown>& object) {
    CLSID clsid;
    const HRESULT found = CLSIDFromProgID(progId, &clsid);
    if (FAILED(found)) return found;
    return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.receiveVoid());
}

// The server takes sizes of 16 bits; larger ones arrive reduced modulo 65536.
unsigned short serverSize(std::int32_t length) {
    return static_cast<unsigned short>(length);
}

// A server that ended just as the request reached it (its idle period ran out, or it was killed).
bool serverGone(HRESULT result) {
    switch (result) {
        case RPC_E_DISCONNECTED:
        case RPC_E_SERVER_DIED:
        case RPC_E_SERVER_DIED_DNE:
        case CO_E_OBJNOTCONNECTED:
        case CO_E_SERVER_EXEC_FAILURE:
        case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
        case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
        case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
            return true;
        default:
            return false;
    }
}

// What went wrong in one attempt, for the events written after the last one.
enum class Failure { none, creation, query, call };

struct Attempt {
    Failure failure = Failure::none;
    HRESULT result = S_OK;
    UniqueBstr image;
};

// One call on the object held, or first one activation; the object stays held for later requests when the
// call worked. ask makes the call on the interface it is given.
template <class Interface, class Ask>
Attempt attempt(ComPtr<Interface>& held, const wchar_t* progId, REFIID iid, Ask& ask) {
    Attempt outcome;
    ComPtr<Interface> extractor = held;
    held.reset();
    if (!extractor) {
        ComPtr<IUnknown> object;
        outcome.result = createServerObject(progId, object);
        if (FAILED(outcome.result)) {
            outcome.failure = Failure::creation;
            return outcome;
        }
        outcome.result = object->QueryInterface(iid, extractor.receiveVoid());
        if (FAILED(outcome.result)) {
            outcome.failure = Failure::query;
            return outcome;
        }
    }
    outcome.result = ask(extractor.get(), outcome.image);
    if (FAILED(outcome.result)) {
        outcome.failure = Failure::call;
    } else {
        held = std::move(extractor);
    }
    return outcome;
}

// A request that meets a server which has just ended (its idle period ran out, it was killed, or the object
// held from an earlier request belongs to a server that is gone) tries once more with a fresh activation, but
// only early in its time: a server that ended because this very request got stuck would only get stuck again.
template <class Interface, class Ask>
Attempt askServer(ComPtr<Interface>& held, const wchar_t* progId, REFIID iid, Ask ask, DWORD boundMs) {
    const auto started = Clock::now();
    Attempt outcome = attempt<Interface>(held, progId, iid, ask);
    const auto retryWindow = std::chrono::milliseconds(boundMs / 4);
    if (outcome.failure != Failure::none && serverGone(outcome.result) &&
        Clock::now() - started < retryWindow) {
        outcome = attempt<Interface>(held, progId, iid, ask);
    }
    return outcome;
}

// Runs the request within the bound: on the request thread, which keeps the server objects of earlier
// requests, or when that is busy (or stuck) on a thread of its own with objects of its own. A request that
// does not finish in time is reported and left to end on its own.
template <class Request>
UniqueBstr requestWithinBound(Request request, const std::wstring& record) {
    const DWORD boundMs = requestBoundMs();
    auto image = std::make_shared<UniqueBstr>();
    bool finished = false;
    const bool onRequestThread = runOnRequestThread(
        [image, request, boundMs](CachedServerObjects& held) { *image = request(held, boundMs); }, boundMs,
        finished);
    if (!onRequestThread) {
        finished = runInWorkerApartment(
            [image, request, boundMs]() mutable {
                CachedServerObjects own;
                *image = request(own, boundMs);
            },
            boundMs);
    }
    if (!finished) {
        reportError(events::requestTimedOut, record);
        return {};
    }
    return std::move(*image);
}

}  // namespace

DWORD requestBoundMs() {
    const auto bound = environmentMilliseconds(L"PELMORA_THUMB_REQUEST_MS", defaultRequestBound);
    return static_cast<DWORD>(bound.count());
}

UniqueBstr requestFileImage(const std::wstring& path, std::int32_t width, std::int32_t height) {
    return requestWithinBound(
        [path, width, height](CachedServerObjects& held, DWORD boundMs) -> UniqueBstr {
            UniqueBstr pathText(SysAllocStringLen(path.data(), static_cast<UINT>(path.size())));
            if (!pathText) return {};
            auto ask = [&](IThumbExtractor* extractor, UniqueBstr& image) {
                BSTR pathValue = pathText.get();
                return extractor->createImage(&pathValue, serverSize(width), serverSize(height),
                                              image.receive());
            };
            Attempt outcome = askServer<IThumbExtractor>(held.path, L"PelmoraThumbSrv.ThumbExtractor",
                                                         IID_IThumbExtractor, ask, boundMs);
            if (outcome.failure == Failure::creation)
                reportError(events::fileGeneration, events::creationFailed);
            if (outcome.failure == Failure::query)
                reportError(events::fileGenerationQuery, events::queryFailed);
            return std::move(outcome.image);
        },
        path);
}

UniqueBstr requestContentImage(UniqueBstr content, const std::wstring& record, std::int32_t width,
                               std::int32_t height) {
    auto shared = std::make_shared<UniqueBstr>(std::move(content));
    return requestWithinBound(
        [shared, width, height](CachedServerObjects& held, DWORD boundMs) -> UniqueBstr {
            auto ask = [&](IExtThumbExtractor* extractor, UniqueBstr& image) {
                BSTR contentValue = shared->get();
                return extractor->createImageSgf(&contentValue, serverSize(width), serverSize(height),
                                                 image.receive());
            };
            Attempt outcome = askServer<IExtThumbExtractor>(
                held.content, L"PelmoraThumbSrv.ExtThumbExtractor", IID_IExtThumbExtractor, ask, boundMs);
            if (outcome.failure == Failure::creation)
                reportError(events::streamGeneration, events::creationFailed);
            if (outcome.failure == Failure::query) reportError(events::streamGeneration, events::noGenerator);
            if (outcome.failure == Failure::call) reportError(events::previewFailed, L"");
            return std::move(outcome.image);
        },
        record);
}

}  // namespace pelmora::thumb
