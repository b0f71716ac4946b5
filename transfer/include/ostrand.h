/* Ostrand: the printer's file-transfer command protocol, as a DLL.
 *
 * Call TRInitPrinter once with the printer's spooler name; every command
 * function then talks to that printer through the port I/O library and returns
 * one of the TR_* result codes. Buffers belong to the caller; the library
 * allocates nothing for it and never shows a message. Calls must not overlap.
 *
 * Time-outs are milliseconds. A function that keeps a time budget counts it
 * as a signed 32-bit difference of the millisecond tick, so a time-out of
 * 2^31 ms or more has run out before the first read.
 */
#ifndef OSTRAND_H
#define OSTRAND_H

#include <stdint.h>

#if defined(_WIN32)
#define OSTRAND_CALL __stdcall
#else
#define OSTRAND_CALL
#endif

#if defined(_WIN32) && defined(OSTRAND_BUILDING_DLL)
#define OSTRAND_API __declspec(dllexport)
#elif defined(_WIN32) && !defined(OSTRAND_STATIC)
#define OSTRAND_API __declspec(dllimport)
#else
#define OSTRAND_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Transfer result codes. */
enum {
  TR_OK = 0,           /* success */
  TR_OPEN_FAILED = 1,  /* the port library could not open the printer */
  TR_NOT_OPEN = 2,     /* no printer has been opened; the port was not touched */
  TR_WRITE_FAILED = 3, /* a write failed or wrote fewer bytes than asked */
  TR_READ_FAILED = 4,  /* a read failed or returned fewer bytes than asked */
  TR_TIMEOUT = 5,      /* the time budget ran out, or the transfer could not begin */
  TR_FILE_COUNT = 6,   /* TRGetFileList delivered the count; call again with a buffer */
  TR_REJECTED = 7,     /* the printer's status reply did not accept the request, or the
                          library refused it before any port call (see TRSendFile) */
  TR_CANCELLED = 8     /* the progress callback asked to stop and the stop was written */
};

enum {
  TR_OPEN_BLOCK_SIZE = 10, /* parameter block of TRInitPrinter, all zero */
  TR_STATUS_SIZE = 32,     /* printer status block */
  TR_HEADER_SIZE = 64,     /* package header, file entry */
  TR_MAX_CHUNK = 200       /* payload bytes per length word */
};

/* Progress callback: percent moved so far (0..100); return nonzero to go on,
 * zero to cancel. Called on the calling thread between port calls. */
typedef int32_t(OSTRAND_CALL* TRProgressCallback)(int32_t percent);

OSTRAND_API int32_t OSTRAND_CALL TRInitPrinter(const char* printerName, void* openBlock);
OSTRAND_API int32_t OSTRAND_CALL TRCmdInit(uint32_t timeoutMs);
OSTRAND_API int32_t OSTRAND_CALL TRGetStatus(void* status, uint32_t timeoutMs);
/* Count call: list == NULL, returns TR_FILE_COUNT with *count set.
 * Buffer call: list of *count x 64 bytes, right after the count call; returns TR_OK. */
OSTRAND_API int32_t OSTRAND_CALL TRGetFileList(void* list, uint32_t* count, uint32_t timeoutMs);
/* Send and receive: *size is the payload size, read once. A size of 0 is
 * refused with TR_REJECTED before any port call: an exchange with nothing to
 * move would end after its command, before the header the printer then waits
 * for. TR_REJECTED is the code callers already handle for a request that is
 * not taken, and like the printer's refusal it means nothing was moved. */
OSTRAND_API int32_t OSTRAND_CALL TRSendFile(const void* header, const void* data,
                                            const uint32_t* size, void* status, uint32_t timeoutMs,
                                            TRProgressCallback progress);
OSTRAND_API int32_t OSTRAND_CALL TRReceiveFile(const void* header, void* data, const uint32_t* size,
                                               void* status, uint32_t timeoutMs,
                                               TRProgressCallback progress);
OSTRAND_API int32_t OSTRAND_CALL TRDeleteFile(const void* entry, uint32_t timeoutMs);
/* The "TransferUI" value of the printer's driver registration, or 0. */
OSTRAND_API uint32_t OSTRAND_CALL TRCheckSupportPrinter(const char* printerName);
OSTRAND_API uint32_t OSTRAND_CALL TRCheckSupportPrinter2(const char* printerName,
                                                         const char* companyName);

/* Pointer types for callers that bind the library by name at run time. */
typedef int32_t(OSTRAND_CALL* TRInitPrinterFn)(const char*, void*);
typedef int32_t(OSTRAND_CALL* TRCmdInitFn)(uint32_t);
typedef int32_t(OSTRAND_CALL* TRGetStatusFn)(void*, uint32_t);
typedef int32_t(OSTRAND_CALL* TRGetFileListFn)(void*, uint32_t*, uint32_t);
typedef int32_t(OSTRAND_CALL* TRSendFileFn)(const void*, const void*, const uint32_t*, void*,
                                            uint32_t, TRProgressCallback);
typedef int32_t(OSTRAND_CALL* TRReceiveFileFn)(const void*, void*, const uint32_t*, void*, uint32_t,
                                               TRProgressCallback);
typedef int32_t(OSTRAND_CALL* TRDeleteFileFn)(const void*, uint32_t);
typedef uint32_t(OSTRAND_CALL* TRCheckSupportPrinterFn)(const char*);
typedef uint32_t(OSTRAND_CALL* TRCheckSupportPrinter2Fn)(const char*, const char*);

/* The exports as a caller that binds the library at run time keeps them;
 * an entry the caller does not bind stays NULL. */
typedef struct TRFunctions {
  TRInitPrinterFn initPrinter;
  TRCheckSupportPrinterFn checkSupportPrinter;
  TRCmdInitFn cmdInit;
  TRGetStatusFn getStatus;
  TRGetFileListFn getFileList;
  TRSendFileFn sendFile;
  TRReceiveFileFn receiveFile;
  TRDeleteFileFn deleteFile;
  TRCheckSupportPrinter2Fn checkSupportPrinter2;
} TRFunctions;

#ifdef __cplusplus
}
#endif

#endif /* OSTRAND_H */
