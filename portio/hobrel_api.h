// The operations of the printer maker's port I/O library (hobrel.dll) that this
// product calls, declared as function types. The library itself is not ours:
// only what callers pass and rely on is fixed here.
//
// ostrand.dll imports ordinals 3 to 8 by ordinal (hobrel_imports.def); the update
// tool resolves SKWriteFile and SKReadFile by name at run time. Every operation
// is WINAPI (__stdcall, HOBREL_CALL) in both bitnesses and answers nonzero for
// success; counts are unsigned 32-bit, time-outs milliseconds.
#ifndef PORTIO_HOBREL_API_H
#define PORTIO_HOBREL_API_H

#include <stdint.h>

#if defined(_WIN32)
#define HOBREL_CALL __stdcall
#else
#define HOBREL_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Size of the parameter block passed to the open operation (callers pass zeros).
#define HOBREL_OPEN_BLOCK_SIZE 10

// Ordinal 3: opens the printer of that spooler name for the following calls.
typedef int32_t(HOBREL_CALL* HobrelOpenFn)(const char* printerName, void* openBlock);
// Ordinal 4: writes count bytes; succeeded only if nonzero and *written == count.
typedef int32_t(HOBREL_CALL* HobrelWriteFn)(const void* buffer, uint32_t count, uint32_t* written,
                                            uint32_t timeoutMs);
// Ordinal 5: reads count bytes; succeeded only if nonzero and *read == count.
typedef int32_t(HOBREL_CALL* HobrelReadFn)(void* buffer, uint32_t count, uint32_t* read,
                                           uint32_t timeoutMs);
// Ordinal 6: discards whatever is pending on the port; the result is ignored.
typedef int32_t(HOBREL_CALL* HobrelPurgeFn)(void);
// Ordinal 7: begins a file transfer with the printer; zero refuses it.
typedef int32_t(HOBREL_CALL* HobrelBeginTransferFn)(const char* printerName, uint32_t reserved,
                                                    uint32_t timeoutMs);
// Ordinal 8: ends the transfer begun by ordinal 7; the result is ignored.
typedef int32_t(HOBREL_CALL* HobrelEndTransferFn)(void);

// SKWriteFile: writes to the named printer directly, outside any open printer.
typedef int32_t(HOBREL_CALL* SKWriteFileFn)(const char* printerName, uint32_t reserved,
                                            const void* buffer, uint32_t count, uint32_t* written,
                                            uint32_t timeoutMs);
// SKReadFile: the read counterpart of SKWriteFile.
typedef int32_t(HOBREL_CALL* SKReadFileFn)(const char* printerName, uint32_t reserved, void* buffer,
                                           uint32_t count, uint32_t* read, uint32_t timeoutMs);

#if defined(_WIN32)
// The names under which ostrand.dll links ordinals 3 to 8 (hobrel_imports.def).
// They live only in the import library: hobrel.dll is bound by ordinal.
int32_t HOBREL_CALL HobrelOpen(const char* printerName, void* openBlock);
int32_t HOBREL_CALL HobrelWrite(const void* buffer, uint32_t count, uint32_t* written,
                                uint32_t timeoutMs);
int32_t HOBREL_CALL HobrelRead(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs);
int32_t HOBREL_CALL HobrelPurge(void);
int32_t HOBREL_CALL HobrelBeginTransfer(const char* printerName, uint32_t reserved,
                                        uint32_t timeoutMs);
int32_t HOBREL_CALL HobrelEndTransfer(void);
#endif

#ifdef __cplusplus
}
#endif

#endif  // PORTIO_HOBREL_API_H
