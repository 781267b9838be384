#include "SessionDouble.h"

#include "CallLog.h"

namespace mapidouble {

namespace {

// Methods that mailSgf has no business calling only log themselves and fail.
class SessionDouble final : public IMAPISession {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        logLine("Session.QueryInterface");
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        logLine("Session.AddRef");
        return ++references_;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        logLine("Session.Release references=" + hex(left));
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetLastError(HRESULT, ULONG, LPMAPIERROR*) override {
        return unexpected("GetLastError");
    }
    HRESULT STDMETHODCALLTYPE GetMsgStoresTable(ULONG, LPMAPITABLE*) override {
        return unexpected("GetMsgStoresTable");
    }
    HRESULT STDMETHODCALLTYPE OpenMsgStore(ULONG_PTR, ULONG, LPENTRYID, LPCIID, ULONG, LPMDB*) override {
        return unexpected("OpenMsgStore");
    }
    HRESULT STDMETHODCALLTYPE OpenAddressBook(ULONG_PTR, LPCIID, ULONG, LPADRBOOK*) override {
        return unexpected("OpenAddressBook");
    }
    HRESULT STDMETHODCALLTYPE OpenProfileSection(LPMAPIUID, LPCIID, ULONG, LPPROFSECT*) override {
        return unexpected("OpenProfileSection");
    }
    HRESULT STDMETHODCALLTYPE GetStatusTable(ULONG, LPMAPITABLE*) override {
        return unexpected("GetStatusTable");
    }
    HRESULT STDMETHODCALLTYPE OpenEntry(ULONG, LPENTRYID, LPCIID, ULONG, ULONG*, LPUNKNOWN*) override {
        return unexpected("OpenEntry");
    }
    HRESULT STDMETHODCALLTYPE CompareEntryIDs(ULONG, LPENTRYID, ULONG, LPENTRYID, ULONG, ULONG*) override {
        return unexpected("CompareEntryIDs");
    }
    HRESULT STDMETHODCALLTYPE Advise(ULONG, LPENTRYID, ULONG, LPMAPIADVISESINK, ULONG*) override {
        return unexpected("Advise");
    }
    HRESULT STDMETHODCALLTYPE Unadvise(ULONG) override { return unexpected("Unadvise"); }
    HRESULT STDMETHODCALLTYPE MessageOptions(ULONG_PTR, ULONG, LPTSTR, LPMESSAGE) override {
        return unexpected("MessageOptions");
    }
    HRESULT STDMETHODCALLTYPE QueryDefaultMessageOpt(LPTSTR, ULONG, ULONG*, LPSPropValue*) override {
        return unexpected("QueryDefaultMessageOpt");
    }
    HRESULT STDMETHODCALLTYPE EnumAdrTypes(ULONG, ULONG*, LPTSTR**) override {
        return unexpected("EnumAdrTypes");
    }
    HRESULT STDMETHODCALLTYPE QueryIdentity(ULONG*, LPENTRYID*) override {
        return unexpected("QueryIdentity");
    }
    HRESULT STDMETHODCALLTYPE Logoff(ULONG_PTR uiParam, ULONG flags, ULONG reserved) override {
        logLine("Session.Logoff ui=" + hex(uiParam) + " flags=" + hex(flags) + " reserved=" + hex(reserved));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetDefaultStore(ULONG, ULONG, LPENTRYID) override {
        return unexpected("SetDefaultStore");
    }
    HRESULT STDMETHODCALLTYPE AdminServices(ULONG, LPSERVICEADMIN*) override {
        return unexpected("AdminServices");
    }
    HRESULT STDMETHODCALLTYPE ShowForm(ULONG_PTR, LPMDB, LPMAPIFOLDER, LPCIID, ULONG, LPMESSAGE, ULONG, ULONG,
                                       ULONG, ULONG, LPSTR) override {
        return unexpected("ShowForm");
    }
    HRESULT STDMETHODCALLTYPE PrepareForm(LPCIID, LPMESSAGE, ULONG*) override {
        return unexpected("PrepareForm");
    }

  private:
    static HRESULT unexpected(const char* method) {
        logLine(std::string("Session.") + method);
        return E_NOTIMPL;
    }

    ULONG references_ = 1;
};

}  // namespace

IMAPISession* newSession() {
    return new SessionDouble();
}

}  // namespace mapidouble
