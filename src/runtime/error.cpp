#include "runtime/error.h"

#include <new>

namespace rt {

std::string ErrorDescription(int32_t number) {
    switch (number) {
    case errInvalidProcedureCall: return "Invalid procedure call or argument";
    case errOverflow: return "Overflow";
    case errOutOfMemory: return "Out of memory";
    case errSubscriptOutOfRange: return "Subscript out of range";
    case errDivisionByZero: return "Division by zero";
    case errTypeMismatch: return "Type mismatch";
    case errBadFileNameOrNumber: return "Bad file name or number";
    case errFileNotFound: return "File not found";
    case errBadFileMode: return "Bad file mode";
    case errFileAlreadyOpen: return "File already open";
    case errDeviceIOError: return "Device I/O error";
    case errFileAlreadyExists: return "File already exists";
    case errInputPastEndOfFile: return "Input past end of file";
    case errBadFileName: return "Bad file name";
    case errTooManyFiles: return "Too many files";
    case errDeviceUnavailable: return "Device unavailable";
    case errPermissionDenied: return "Permission denied";
    case errPathFileAccessError: return "Path/File access error";
    case errPathNotFound: return "Path not found";
    case errObjectVariableNotSet: return "Object variable or With block variable not set";
    case errResourceNotFound: return "Resource not found";
    case errControlArrayElementMissing: return "Control array element does not exist";
    case errObjectAlreadyLoaded: return "Object already loaded";
    case errCannotUnloadDesignControl: return "Can't unload controls created at design time";
    case errInvalidPropertyValue: return "Invalid property value";
    case errPropertyReadOnly: return "'Text' property is read-only";
    case errInvalidPicture: return "Invalid picture";
    case errCannotOpenClipboard: return "Can't open Clipboard";
    case errCannotCreateObject: return "ActiveX component can't create object";
    case errObjectDoesNotSupport: return "Object doesn't support this property or method";
    case errAutomation: return "Automation error";
    default: return "Application-defined or object-defined error";
    }
}

void Raise(int32_t number, std::string source, std::string description) {
    if (description.empty()) description = ErrorDescription(number);
    throw RuntimeError(number, std::move(source), std::move(description));
}

ErrState& Err() {
    static ErrState state;
    return state;
}

void RecordCurrentException() {
    ErrState& e = Err();
    try {
        throw;
    } catch (const RuntimeError& r) {
        e.Number = r.Number();
        e.Source = r.Source();
        e.Description = r.Description();
    } catch (const std::bad_alloc&) {
        e.Number = errOutOfMemory;
        e.Source.clear();
        e.Description = ErrorDescription(errOutOfMemory);
    } catch (const std::exception& x) {
        e.Number = errInvalidProcedureCall;
        e.Source.clear();
        e.Description = x.what();
    } catch (...) {
        e.Number = errInvalidProcedureCall;
        e.Source.clear();
        e.Description = ErrorDescription(errInvalidProcedureCall);
    }
}

}  // namespace rt
