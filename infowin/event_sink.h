#pragma once
#include "infowin/automation_functions.h"

#include <ocidl.h>

#include <deque>
#include <vector>

// Delivery of a control's events to program routines: a sink of our own
// advised on the control's connection point, and the handlers registered
// per connection and event dispatch identifier.

// The seven IDispatch slots in their order; the platform headers declare
// this layout for C only. self is the sink, the address of the field that
// points to the table.
struct EventSink {
    HRESULT(STDMETHODCALLTYPE* queryInterface)(void* self, REFIID interfaceId, void** result);
    ULONG(STDMETHODCALLTYPE* addRef)(void* self);
    ULONG(STDMETHODCALLTYPE* release)(void* self);
    HRESULT(STDMETHODCALLTYPE* getTypeInfoCount)(void* self, UINT* count);
    HRESULT(STDMETHODCALLTYPE* getTypeInfo)(void* self, UINT index, LCID locale, ITypeInfo** info);
    HRESULT(STDMETHODCALLTYPE* getIDsOfNames)(void* self, REFIID interfaceId, LPOLESTR* names, UINT count,
                                              LCID locale, DISPID* ids);
    HRESULT(STDMETHODCALLTYPE* invoke)(void* self, DISPID id, REFIID interfaceId, LCID locale, WORD flags,
                                       DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                       UINT* argumentError);
};

// The one method table every sink shares.
extern const EventSink SharedSinkMethods;

// One connection made; its address stays fixed while the process runs, and
// &sink is the sink the control was advised with.
struct ConnectionRecord {
    ObjectRef object;
    IConnectionPoint* connectionPoint;
    const EventSink* sink;
    DWORD cookie;
};

// A program routine for an event, taking one VARIANT pointer per event
// argument in the event's declared order.
using EventHandler1 = void (*)(VARIANT*);
using EventHandler2 = void (*)(VARIANT*, VARIANT*);

// The routine with its parameter count; it is called through its own type
// only, and only for an event with that many arguments.
struct EventHandler {
    EventHandler(EventHandler1 routine) : parameterCount(1), routine(reinterpret_cast<void (*)()>(routine)) {}
    EventHandler(EventHandler2 routine) : parameterCount(2), routine(reinterpret_cast<void (*)()>(routine)) {}
    int parameterCount;
    void (*routine)();
};

struct HandlerRecord {
    const void* sink;
    DISPID dispid;
    EventHandler handler;
};

// A deque keeps every record's address while records are appended.
extern std::deque<ConnectionRecord> ConnectionTable;
extern std::vector<HandlerRecord> HandlerTable;

// The shared VT_NULL record handed over for an absent or empty text.
extern VARIANT NullTextArgument;

void ResetEventTables();

// Advises a sink on object's event source: the interface spelt by
// eventInterfaceText, or, when it is empty, the IDispatch connection point
// or else the first one enumerated. Failures only set LastStatus.
void ConnectEvents(ObjectRef object, const char* eventInterfaceText);

// Whether object has an event connection.
bool HasEventConnection(ObjectRef object);

// Binds handler to event dispid of object's newest connection, replacing an
// earlier binding; without a connection sets LastStatus to 0x80000003.
void RegisterEventHandler(ObjectRef object, long dispid, EventHandler handler);

inline constexpr HRESULT kNoConnectionStatus = static_cast<HRESULT>(0x80000003);
