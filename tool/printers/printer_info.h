// One installed printer as the tool describes it: the spooler's description
// and what the printer driver's information library adds to it (the model
// identifier among it), with the paper, margin and media records and the page
// geometry derived from them.
#ifndef TOOL_PRINTERS_PRINTER_INFO_H
#define TOOL_PRINTERS_PRINTER_INFO_H

#include <cstdint>
#include <string_view>

#include "tool/printers/extension_data.h"
#include "tool/printers/information_library.h"
#include "tool/printers/page_geometry.h"
#include "tool/printers/printer_device_info.h"
#include "tool/printers/records.h"

namespace vexlow {

class PrinterInfo : public PrinterDeviceInfo {
 public:
  explicit PrinterInfo(PrinterEnvironment& environment);
  ~PrinterInfo() override;

  // Describes the installed printer listed under this display name; a name
  // that holds the special-tape suffix asks for the printer (the name cut at
  // the suffix) in special-tape mode. False for a null or empty name, or when
  // the printer cannot be opened. A driver whose information library cannot
  // be loaded is reported to the user, and the printer is described from the
  // spooler alone. A non-zero modelId is not searched for: the name is used.
  bool Attach(const char* name, uint32_t modelId);
  // The model identifier while the driver's extension data is loaded, else
  // null.
  const uint32_t* GetModelId() const;
  uint32_t GetOptionBits() const { return extension_.optionBits; }
  // Keeps the bits the printer offers; true.
  bool SetOptionBits(uint32_t bits);
  // Drops what attach built; the printer is no longer opened.
  void Release();

  std::string_view LibraryPath() const { return NameOf(libraryPath_); }
  const DriverExtension& Extension() const { return extension_; }
  const PaperList& Papers() const { return papers_; }
  const MarginList& Margins() const { return margins_; }
  const MediaList& Media() const { return media_; }
  const LayoutResults& Layout() const { return layout_; }
  const PageGeometry& Geometry() const { return geometry_; }

 private:
  void SwitchSpecialTape(uint16_t wantedMode);
  void ResetExtension();
  // Asks the information library; false when the driver has none or it
  // cannot be loaded.
  bool LoadDriverExtension();
  template <typename Record>
  bool ReadLibraryRecords(MyDeviceCapabilitiesFn query, uint16_t index, RecordArray<Record>& list);
  // The model identifier from its answer, and the paper-list mode it gives.
  void ReadModelIdentity(int32_t answer);
  void ApplyFallbackDefaults();
  // The paper list from the spooler's paper capabilities, measured.
  bool BuildFallbackPaperList(bool split);
  // Physical size and printing offset of every paper, through information
  // contexts.
  bool MeasurePapers();
  void ComputeLayout();

  NameBuffer libraryPath_{};
  DriverExtension extension_;
  PaperList papers_;
  MarginList margins_;
  MediaList media_;
  LayoutResults layout_;
  PageGeometry geometry_;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PRINTER_INFO_H
