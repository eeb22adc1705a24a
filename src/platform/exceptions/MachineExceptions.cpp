#include "platform/exceptions/MachineExceptions.h"

// A routine descriptor is the routine itself here.
ExceptionHandlerUPP NewExceptionHandlerUPP(ExceptionHandlerProcPtr theProc) { return theProc; }

void DisposeExceptionHandlerUPP(ExceptionHandlerUPP) {}
