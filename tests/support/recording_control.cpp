#include "support/recording_control.h"

#include <cstring>
#include <cwchar>

namespace {

class PointEnumerator : public IEnumConnectionPoints {
public:
    explicit PointEnumerator(const std::vector<RecordingPoint*>& points) : points_(points) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override
    {
        if (id == IID_IUnknown || id == IID_IEnumConnectionPoints) {
            *result = this;
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    // Enumerators are kept for the test program's life; nothing is counted.
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** result, ULONG* fetched) override
    {
        ULONG given = 0;
        for (; given < count && next_ < points_.size(); ++given)
            result[given] = points_[next_++];
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        next_ += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints**) override { return E_NOTIMPL; }

private:
    const std::vector<RecordingPoint*>& points_;
    size_t next_ = 0;
};

std::vector<PointEnumerator*> enumerators;

ArrivedArgument Arrived(const VARIANT& record)
{
    ArrivedArgument argument;
    argument.type = record.vt;
    argument.value = record.lVal;
    if (record.vt == VT_BSTR && record.bstrVal) {
        argument.text = record.bstrVal;
        std::memcpy(&argument.lengthPrefix, reinterpret_cast<const char*>(record.bstrVal) - 4, 4);
    }
    if ((record.vt & VT_BYREF) && record.byref)
        std::memcpy(&argument.referenced, record.byref, 4);
    return argument;
}

}  // namespace

RecordingControl& LastingControl(std::vector<KnownMember> members)
{
    return *new RecordingControl(std::move(members));
}

RecordingControl::RecordingControl(std::vector<KnownMember> members) : members_(std::move(members)) {}

RecordingControl::~RecordingControl()
{
    for (RecordingPoint* point : points)
        delete point;
}

RecordingPoint& RecordingControl::AddPoint(const IID& interfaceId)
{
    points.push_back(new RecordingPoint(*this, interfaceId));
    return *points.back();
}

HRESULT RecordingControl::QueryInterface(REFIID id, void** result)
{
    if (id == IID_IUnknown || id == IID_IDispatch) {
        *result = static_cast<IDispatch*>(this);
        return S_OK;
    }
    if (id == IID_IConnectionPointContainer) {
        *result = static_cast<IConnectionPointContainer*>(this);
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordingControl::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT RecordingControl::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT RecordingControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        namesAsked.push_back(names[i]);
        ids[i] = DISPID_UNKNOWN;
        for (const KnownMember& member : members_)
            if (_wcsicmp(member.name, names[i]) == 0)
                ids[i] = member.id;
        if (ids[i] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT RecordingControl::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                 UINT*)
{
    ArrivedCall call;
    call.id = id;
    call.kind = kind;
    for (UINT i = 0; i < parameters->cNamedArgs; ++i)
        call.named.push_back(parameters->rgdispidNamedArgs[i]);
    for (UINT i = 0; i < parameters->cArgs; ++i)
        call.arguments.push_back(Arrived(parameters->rgvarg[i]));
    calls.push_back(call);
    return S_OK;
}

HRESULT RecordingControl::EnumConnectionPoints(IEnumConnectionPoints** result)
{
    *result = nullptr;
    if (!enumerates)
        return E_NOTIMPL;
    enumerators.push_back(new PointEnumerator(points));
    *result = enumerators.back();
    return S_OK;
}

HRESULT RecordingControl::FindConnectionPoint(REFIID id, IConnectionPoint** result)
{
    for (RecordingPoint* point : points)
        if (point->interfaceId() == id) {
            *result = point;
            return S_OK;
        }
    *result = nullptr;
    return CONNECT_E_NOCONNECTION;
}

HRESULT RecordingPoint::QueryInterface(REFIID id, void** result)
{
    if (id == IID_IUnknown || id == IID_IConnectionPoint) {
        *result = this;
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordingPoint::GetConnectionInterface(IID* id)
{
    *id = interfaceId_;
    return S_OK;
}

HRESULT RecordingPoint::GetConnectionPointContainer(IConnectionPointContainer** result)
{
    *result = &owner_;
    return S_OK;
}

HRESULT RecordingPoint::Advise(IUnknown* sinkObject, DWORD* cookie)
{
    *cookie = 0;
    if (FAILED(adviseResult))
        return adviseResult;
    advised = sinkObject;
    // A source asks the sink for its event interface, as real ones do.
    void* queried = nullptr;
    if (FAILED(sinkObject->QueryInterface(interfaceId_, &queried)))
        return CONNECT_E_CANNOTCONNECT;
    sink = static_cast<IDispatch*>(queried);
    *cookie = cookieToGive;
    return S_OK;
}

HRESULT RecordingPoint::Fire(DISPID id, std::vector<VARIANT>& arguments)
{
    DISPPARAMS parameters = {arguments.empty() ? nullptr : arguments.data(), nullptr,
                             static_cast<UINT>(arguments.size()), 0};
    return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
}
