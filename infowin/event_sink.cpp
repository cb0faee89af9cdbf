#include "infowin/event_sink.h"

#include "infowin/automation_text.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

std::deque<ConnectionRecord> ConnectionTable;
std::vector<HandlerRecord> HandlerTable;
VARIANT NullTextArgument = {};

namespace {

constexpr char kConnectionPointContainerText[] = "{B196B284-BAB4-101A-B69C-00AA00341D07}";
constexpr uint32_t kReferenceToVariant = VT_BYREF | VT_VARIANT;

HRESULT STDMETHODCALLTYPE SinkQueryInterface(void* self, REFIID, void** result)
{
    if (!result)
        return E_POINTER;
    *result = self;
    return S_OK;
}

// Sinks live until the process ends, so nothing is counted.
ULONG STDMETHODCALLTYPE SinkAddRef(void*) { return 1; }
ULONG STDMETHODCALLTYPE SinkRelease(void*) { return 1; }

HRESULT STDMETHODCALLTYPE SinkGetTypeInfoCount(void*, UINT*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE SinkGetTypeInfo(void*, UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE SinkGetIDsOfNames(void*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

VARIANT* NullText()
{
    // Reset each time, in case an earlier handler wrote to it.
    NullTextArgument = {};
    NullTextArgument.vt = VT_NULL;
    return &NullTextArgument;
}

uint32_t TypeWord(const VARIANT& record)
{
    uint32_t word;
    std::memcpy(&word, &record, sizeof word);
    return word;
}

void SetTypeWord(VARIANT& record, uint32_t word) { std::memcpy(&record, &word, sizeof word); }

// Points a wide-text record at its ANSI form, a copy that lives in copies
// while the handler runs; the string itself is left as it is.
VARIANT* AnsiText(VARIANT& record, std::deque<std::string>& copies)
{
    std::string text = AnsiFromWide(record.bstrVal);
    if (text.empty())
        return NullText();
    SetTypeWord(record, VT_LPSTR);
    record.pcVal = copies.emplace_back(std::move(text)).data();
    return &record;
}

VARIANT* PrepareArgument(VARIANT& record, std::deque<std::string>& copies)
{
    if (TypeWord(record) == kReferenceToVariant) {
        if (!record.pvarVal)
            return NullText();
        std::memcpy(&record, record.pvarVal, sizeof record);
    }
    if (record.vt == VT_BSTR || record.vt == VT_LPWSTR)
        return AnsiText(record, copies);
    return &record;
}

const HandlerRecord* FindHandler(const void* sink, DISPID id)
{
    for (const HandlerRecord& record : HandlerTable)
        if (record.sink == sink && record.dispid == id)
            return &record;
    return nullptr;
}

HRESULT STDMETHODCALLTYPE SinkInvoke(void* self, DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*)
{
    const HandlerRecord* record = FindHandler(self, id);
    if (!record || !record->handler.routine)
        return S_OK;
    // Calling a routine with a different number of parameters than it
    // takes would corrupt the call, so such an event is left undelivered.
    UINT count = parameters ? parameters->cArgs : 0;
    if (static_cast<int>(count) != record->handler.parameterCount || (count && !parameters->rgvarg))
        return S_OK;
    std::deque<std::string> copies;
    VARIANT given[2] = {};
    VARIANT* gathered[2] = {};
    for (UINT i = 0; i < count; ++i) {
        given[i] = parameters->rgvarg[i];
        gathered[i] = PrepareArgument(parameters->rgvarg[i], copies);
    }
    // The array holds the last argument first; the handler takes the first first.
    if (count == 1)
        reinterpret_cast<EventHandler1>(record->handler.routine)(gathered[0]);
    else
        reinterpret_cast<EventHandler2>(record->handler.routine)(gathered[1], gathered[0]);
    // The caller frees its arguments with VariantClear, which refuses VT_LPSTR:
    // it gets them back as they came.
    for (UINT i = 0; i < count; ++i)
        parameters->rgvarg[i] = given[i];
    return S_OK;
}

IConnectionPoint* FindEventSource(IConnectionPointContainer* container, const char* eventInterfaceText)
{
    IConnectionPoint* point = nullptr;
    if (eventInterfaceText && *eventInterfaceText) {
        LastStatus = container->FindConnectionPoint(InterfaceIdFromText(eventInterfaceText), &point);
    } else {
        LastStatus = container->FindConnectionPoint(IID_IDispatch, &point);
        if (FAILED(LastStatus) || !point) {
            point = nullptr;
            IEnumConnectionPoints* points = nullptr;
            LastStatus = container->EnumConnectionPoints(&points);
            if (SUCCEEDED(LastStatus) && points)
                LastStatus = points->Next(1, &point, nullptr);
        }
    }
    return SUCCEEDED(LastStatus) ? point : nullptr;
}

const ConnectionRecord* NewestConnection(ObjectRef object)
{
    for (auto it = ConnectionTable.rbegin(); it != ConnectionTable.rend(); ++it)
        if (it->object == object && it->sink)
            return &*it;
    return nullptr;
}

}  // namespace

const EventSink SharedSinkMethods = {
    SinkQueryInterface, SinkAddRef, SinkRelease, SinkGetTypeInfoCount, SinkGetTypeInfo, SinkGetIDsOfNames, SinkInvoke,
};

void ResetEventTables()
{
    ConnectionTable.clear();
    HandlerTable.clear();
}

void ConnectEvents(ObjectRef object, const char* eventInterfaceText)
{
    auto* container =
        static_cast<IConnectionPointContainer*>(QueryInterfaceByText(object, kConnectionPointContainerText));
    if (!container)
        return;
    IConnectionPoint* point = FindEventSource(container, eventInterfaceText);
    if (!point)
        return;
    ConnectionRecord& record = ConnectionTable.emplace_back(ConnectionRecord{object, point, &SharedSinkMethods, 0});
    DWORD cookie = 0;
    LastStatus = point->Advise(reinterpret_cast<IUnknown*>(&record.sink), &cookie);
    if (FAILED(LastStatus) || cookie == 0) {
        ConnectionTable.pop_back();
        return;
    }
    record.cookie = cookie;
}

bool HasEventConnection(ObjectRef object) { return NewestConnection(object) != nullptr; }

void RegisterEventHandler(ObjectRef object, long dispid, EventHandler handler)
{
    const ConnectionRecord* connection = NewestConnection(object);
    if (!connection) {
        LastStatus = kNoConnectionStatus;
        return;
    }
    const void* sink = &connection->sink;
    for (HandlerRecord& record : HandlerTable)
        if (record.sink == sink && record.dispid == dispid) {
            record.handler = handler;
            return;
        }
    HandlerTable.push_back({sink, dispid, handler});
}
