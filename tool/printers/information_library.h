/* The one export of a printer driver's information library, as the tool calls
 * it. The library is installed with the driver and is not ours: only what the
 * tool passes and relies on is fixed here.
 *
 * MyDeviceCapabilities answers like the spooler's DeviceCapabilitiesA, for the
 * driver's own indices: a count without an output; with an output (sized by
 * the caller for the count the same index gave without one) the records, and
 * the number it wrote. -1 means the library has no answer. It is exported by
 * this undecorated name.
 */
#ifndef TOOL_PRINTERS_INFORMATION_LIBRARY_H
#define TOOL_PRINTERS_INFORMATION_LIBRARY_H

#include <stdint.h>

#if defined(_WIN32)
#define INFO_LIBRARY_CALL __stdcall
#else
#define INFO_LIBRARY_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define INFO_LIBRARY_EXPORT "MyDeviceCapabilities"

typedef int32_t(INFO_LIBRARY_CALL* MyDeviceCapabilitiesFn)(const char* device, const char* port,
                                                           uint16_t index, void* output,
                                                           const void* devMode);

/* The indices the tool asks, and what each answers. */
enum {
  INFO_PAPER_RECORDS = 257,       /* 138-byte paper records */
  INFO_FEATURE_FLAGS = 269,       /* the driver's feature bits */
  INFO_MARGIN_RECORDS = 270,      /* 103-byte margin records */
  INFO_COLOUR_COUNT = 271,        /* low word: number of colours */
  INFO_ORIGIN = 274,              /* low word x, high word y, device pixels */
  INFO_OFFSET = 275,              /* low word x, high word y, device pixels */
  INFO_VALUE_276 = 276,           /* a number the driver keeps; carried */
  INFO_MODEL_PAPER_RECORDS = 277, /* 138-byte paper records of the model's own list */
  INFO_MODEL_ID = 278             /* the printer model's identifier */
};

#define INFO_PAPER_RECORD_SIZE 138
#define INFO_MARGIN_RECORD_SIZE 103

/* Feature bit of INFO_FEATURE_FLAGS: the driver offers a special-tape mode. */
#define INFO_FEATURE_SPECIAL_TAPE 0x40000u

#ifdef __cplusplus
}
#endif

#endif /* TOOL_PRINTERS_INFORMATION_LIBRARY_H */
