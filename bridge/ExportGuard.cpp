// The frame-based structured-exception guard (x86-64: a table-based handler of
// a small assembly frame; x86: a handler record on the thread's SEH chain),
// and the failure texts of caught exceptions.
#include "bridge/ExportGuard.h"

#include <stdio.h>

#include "bridge/LastError.h"

extern "C" EXCEPTION_DISPOSITION numbridge_GuardHandler(EXCEPTION_RECORD* record,
                                                        void* frame,
                                                        CONTEXT* context,
                                                        void* dispatcher);

#if defined(__x86_64__)

// numbridge_GuardedCall(body, context): a leaf frame with a language handler.
// RtlUnwindEx resumes at numbridge_GuardResume with the exception code in rax.
asm(R"(
    .text
    .globl numbridge_GuardedCall
    .def numbridge_GuardedCall; .scl 2; .type 32; .endef
    .seh_proc numbridge_GuardedCall
numbridge_GuardedCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler numbridge_GuardHandler, @except
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    xorl %eax, %eax
    .globl numbridge_GuardResume
numbridge_GuardResume:
    addq $40, %rsp
    ret
    .seh_endproc
)");

extern "C" char numbridge_GuardResume[];

extern "C" EXCEPTION_DISPOSITION numbridge_GuardHandler(EXCEPTION_RECORD* record,
                                                        void* frame,
                                                        CONTEXT* context,
                                                        void* dispatcher) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  RtlUnwindEx(frame, numbridge_GuardResume, record,
              reinterpret_cast<void*>(static_cast<ULONG_PTR>(record->ExceptionCode)), context,
              static_cast<DISPATCHER_CONTEXT*>(dispatcher)->HistoryTable);
  return ExceptionContinueSearch;
}

#elif defined(__i386__)

// _numbridge_GuardedCall(body, context), cdecl: pushes an EXCEPTION_REGISTRATION
// record {next, handler} on fs:0 for the duration of the body. The handler
// resumes at _numbridge_GuardResume with esp at the record and eax the code.
asm(R"(
    .text
    .globl _numbridge_GuardedCall
    .def _numbridge_GuardedCall; .scl 2; .type 32; .endef
_numbridge_GuardedCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $_numbridge_GuardHandler
    pushl %fs:0
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    xorl %eax, %eax
    .globl _numbridge_GuardResume
_numbridge_GuardResume:
    movl (%esp), %ecx
    movl %ecx, %fs:0
    addl $8, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

extern "C" EXCEPTION_DISPOSITION numbridge_GuardHandler(EXCEPTION_RECORD* record,
                                                        void* frame,
                                                        CONTEXT*,
                                                        void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  // Kept in memory across RtlUnwind, which some systems let change ebx, esi
  // and edi.
  volatile DWORD code = record->ExceptionCode;
  void* volatile target = frame;
  // Runs the unwind handlers of the frames inside the guard and leaves the
  // guard's record innermost on the chain.
  RtlUnwind(frame, nullptr, record, nullptr);
  asm volatile("movl %0, %%esp\n\tjmp _numbridge_GuardResume"
               :
               : "c"(target), "a"(code)
               : "memory");
  __builtin_unreachable();
}

#else
#error "numbridge's export guard supports x86 and x86-64 only"
#endif

namespace numbridge {

HRESULT RecordCppException(bool outOfMemory) {
  if (outOfMemory) {
    RecordFailure(E_OUTOFMEMORY, nullptr);
    return E_OUTOFMEMORY;
  }
  RecordFailureText(L"unexpected C++ exception in numbridge");
  return E_UNEXPECTED;
}

HRESULT RecordStructuredException(DWORD code) {
  wchar_t text[64];
  swprintf(text, sizeof text / sizeof text[0], L"structured exception 0x%08lX in numbridge",
           static_cast<unsigned long>(code));
  RecordFailureText(text);
  const HRESULT hr = HRESULT_FROM_NT(code);
  return FAILED(hr) ? hr : E_UNEXPECTED;
}

}  // namespace numbridge
