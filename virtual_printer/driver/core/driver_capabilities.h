// The sample information library's answers, index by index, as
// MyDeviceCapabilities gives them.
#ifndef VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_CAPABILITIES_H
#define VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_CAPABILITIES_H

#include <cstdint>

#include "virtual_printer/driver/core/driver_info_config.h"

namespace vp {

// -1 for an index the library does not answer. The record indices (paper
// records 257 and 277, margin records 270) answer their count; with an output,
// which the caller has sized for that count, they write exactly that many
// records and answer the same count. The other indices ignore the output;
// the model identifier (278) has no answer while the configuration names none.
int32_t AnswerCapability(const DriverInfoConfig& config, uint16_t index, void* output);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_CAPABILITIES_H
