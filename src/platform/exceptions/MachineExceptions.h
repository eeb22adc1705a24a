// Processor exceptions as the system reports them to an exception handler:
// the kind, and the machine state at the faulting instruction. Only what the
// crash catcher reads is here; nothing installs a handler with the system.
#pragma once

#include <cstdint>

#include "platform/coreservices/MacTypes.h"

typedef uint32_t ExceptionKind;
enum : ExceptionKind {
  unknownException = 0,
  illegalInstructionException = 1,
  trapException = 2,
  accessException = 3,
  unmappedMemoryException = 4,
  excludedMemoryException = 5,
  readOnlyMemoryException = 6,
  pageFaultException = 7,
  privilegeViolationException = 8,
  traceException = 9,
  instructionBreakpointException = 10,
  dataBreakpointException = 11,
  integerException = 12,
  floatingPointException = 13,
  stackOverflowException = 14,
  terminationException = 15,
  taskCreationException = 16,
  dataAlignmentException = 17,
};

struct MachineInformation {
  uint64_t PC = 0;  // address of the faulting instruction
};

struct ExceptionInformation {
  ExceptionKind theKind = unknownException;
  MachineInformation* machineState = nullptr;
};

typedef OSStatus (*ExceptionHandlerProcPtr)(ExceptionInformation* theException);
typedef ExceptionHandlerProcPtr ExceptionHandlerUPP;

ExceptionHandlerUPP NewExceptionHandlerUPP(ExceptionHandlerProcPtr theProc);
void DisposeExceptionHandlerUPP(ExceptionHandlerUPP theUPP);
