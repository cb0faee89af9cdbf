#include "infowin/variant_reading.h"

#include "common/fatal_report.h"
#include "infowin/automation_functions.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxReferenceDepth = 8;

bool IsBlob(VARTYPE type) { return type == VT_BLOB || type == VT_BLOB_OBJECT; }

// Bytes of the referenced value that a record's 8-byte value holds;
// pointer-sized for everything that is not a plain number. A decimal has
// neither reading, so its bytes are not needed.
size_t ReferencedSize(VARTYPE type)
{
    switch (type) {
    case VT_DECIMAL:
        return 0;
    case VT_I1: case VT_UI1:
        return 1;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return 2;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: case VT_FILETIME: case VT_BLOB:
    case VT_BLOB_OBJECT:
        return 8;
    default:
        return 4;
    }
}

// The value a by-reference record points to, as a record of its own; a
// null reference reads as VT_EMPTY.
VARIANT Followed(const VARIANT& value)
{
    VARIANT current = value;
    for (int depth = 0; depth < kMaxReferenceDepth && (current.vt & VT_BYREF); ++depth) {
        VARTYPE type = current.vt & ~VT_BYREF;
        const void* target = current.byref;
        VARIANT next = {};
        if (target && type == VT_VARIANT)
            std::memcpy(&next, target, sizeof next);
        else if (target) {
            next.vt = type;
            std::memcpy(&next.llVal, target, ReferencedSize(type));
        }
        current = next;
    }
    return current;
}

[[noreturn]] void RaiseTypeError() { FatalReport(FatalErrorCode::VariantTypeError); }

std::string BlobText(const VARIANT& value)
{
    ULONG size = 0;
    const char* data = nullptr;
    const char* record = reinterpret_cast<const char*>(&value);
    std::memcpy(&size, record + 8, sizeof size);
    std::memcpy(&data, record + 12, sizeof data);
    return data ? std::string(data, size) : std::string();
}

std::string DecimalText(double number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", number);
    return text;
}

}  // namespace

bool HasNumberReading(VARTYPE type)
{
    if (type & (VT_ARRAY | VT_VECTOR))
        return false;
    return !(type == VT_BSTR || type == VT_DECIMAL || (type >= 30 && type <= 63) || IsBlob(type));
}

bool HasTextReading(VARTYPE type)
{
    if (type & (VT_ARRAY | VT_VECTOR))
        return false;
    return type == VT_EMPTY || type == VT_NULL || (type >= VT_I2 && type <= VT_BSTR) || type == VT_LPSTR ||
           type == VT_LPWSTR || IsBlob(type);
}

double VariantNumber(const VARIANT& given)
{
    VARIANT value = Followed(given);
    if (!HasNumberReading(value.vt))
        RaiseTypeError();
    switch (value.vt) {
    case VT_EMPTY: case VT_NULL: return 0;
    case VT_I2: return value.iVal;
    case VT_I4: case VT_HRESULT: return value.lVal;
    case VT_R4: return value.fltVal;
    case VT_R8: return value.dblVal;
    case VT_CY: return static_cast<double>(value.cyVal.int64) / 10000;
    case VT_DATE: return value.date;
    case VT_ERROR: return value.scode;
    case VT_BOOL: return value.boolVal;
    case VT_I1: return value.cVal;
    case VT_UI1: return value.bVal;
    case VT_UI2: return value.uiVal;
    case VT_I8: return static_cast<double>(value.llVal);
    case VT_UI8: case VT_FILETIME: return static_cast<double>(value.ullVal);
    case VT_INT: return value.intVal;
    default: return value.ulVal;  // unsigned 32-bit value: handles, pointers, VT_UI4, VT_UINT
    }
}

std::string VariantText(const VARIANT& given)
{
    VARIANT value = Followed(given);
    if (!HasTextReading(value.vt))
        RaiseTypeError();
    switch (value.vt) {
    case VT_EMPTY: case VT_NULL: return {};
    case VT_BSTR: return AnsiFromWide(value.bstrVal);
    case VT_LPWSTR: return AnsiFromWide(reinterpret_cast<const wchar_t*>(value.byref));
    case VT_LPSTR: return value.pcVal ? std::string(value.pcVal) : std::string();
    case VT_BLOB: case VT_BLOB_OBJECT: return BlobText(value);
    default: return DecimalText(VariantNumber(value));
    }
}
