// Finds the driver of a local printer by the printer's spooler name.
#ifndef TRANSFER_SUPPORT_DRIVER_LOOKUP_H
#define TRANSFER_SUPPORT_DRIVER_LOOKUP_H

#include <cstddef>

#include "transfer/support/printer_spooler.h"

namespace ostrand {

// Names of printers, drivers and registry keys travel in buffers of this size.
inline constexpr std::size_t kNameBufferSize = 260;

// Walks the whole local printer list, comparing names as the spooler does; the
// walk does not stop at a match, so when several records carry the name the last
// one decides. True with driverName filled (zero-terminated) when a record
// matched and its driver name fits the buffer; false otherwise, with driverName
// emptied. A null printerName matches nothing.
bool FindPrinterDriver(PrinterSpooler& spooler, const char* printerName,
                       char (&driverName)[kNameBufferSize]);

}  // namespace ostrand

#endif  // TRANSFER_SUPPORT_DRIVER_LOOKUP_H
