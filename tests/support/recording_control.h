#pragma once
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

// A scriptable object of the tests' own, in the test process: it answers
// member names from a fixed table, records every call it receives with the
// arguments as they arrived, and offers connection points whose advised
// sinks the test can fire events at. Lives as long as the test keeps it;
// reference counts are not kept.

struct ArrivedArgument {
    VARTYPE type = VT_EMPTY;
    std::wstring text;           // VT_BSTR: the characters
    DWORD lengthPrefix = 0;      // VT_BSTR: the 4 bytes before the text
    LONG value = 0;              // the first 32 bits of the value
    LONG referenced = 0;         // VT_BYREF: the 32 bits it points to
};

struct ArrivedCall {
    DISPID id = 0;
    WORD kind = 0;
    std::vector<DISPID> named;
    std::vector<ArrivedArgument> arguments;  // as in DISPPARAMS: last argument first
};

struct KnownMember {
    const wchar_t* name;
    DISPID id;
};

class RecordingPoint;

class RecordingControl : public IDispatch, public IConnectionPointContainer {
public:
    explicit RecordingControl(std::vector<KnownMember> members);
    ~RecordingControl();
    RecordingControl(const RecordingControl&) = delete;
    RecordingControl& operator=(const RecordingControl&) = delete;

    // Adds a connection point for events of interfaceId, in enumeration order.
    RecordingPoint& AddPoint(const IID& interfaceId);
    // Whether EnumConnectionPoints answers (else E_NOTIMPL).
    bool enumerates = true;

    std::vector<std::wstring> namesAsked;
    std::vector<ArrivedCall> calls;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override;
    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID id, IConnectionPoint** result) override;

    std::vector<RecordingPoint*> points;

private:
    std::vector<KnownMember> members_;
};

// A control that is never freed: the event tables keep the addresses of
// connected objects until the process ends, so a later object must not
// reuse one.
RecordingControl& LastingControl(std::vector<KnownMember> members = {});

class RecordingPoint final : public IConnectionPoint {
public:
    RecordingPoint(RecordingControl& owner, const IID& interfaceId) : owner_(owner), interfaceId_(interfaceId) {}

    // What Advise answers; a cookie of 0 with S_OK is a broken source.
    HRESULT adviseResult = S_OK;
    DWORD cookieToGive = 7;
    IDispatch* sink = nullptr;  // as queried from the advised object
    IUnknown* advised = nullptr;

    // Calls the sink's Invoke with arguments in DISPPARAMS order (last first).
    HRESULT Fire(DISPID id, std::vector<VARIANT>& arguments);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* id) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** result) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sinkObject, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    const IID& interfaceId() const { return interfaceId_; }

private:
    RecordingControl& owner_;
    IID interfaceId_;
};
