#include "win32_printer_list.h"

#include <cstdlib>

#include "platform/win/win32_machine_registry.h"
#include "platform/win/win32_printer_spooler.h"
#include "tool/printers/win/win32_global_memory.h"
#include "tool/printers/win/win32_information_contexts.h"
#include "tool/printers/win/win32_system_version.h"
#include "tool/printers/win/win32_wait_cursor.h"

namespace vexlow {

namespace {

win::Win32PrinterList* current = nullptr;

}  // namespace

PrinterList& GetPrinterList() {
  // Using the list before the program made it is a fault of the program.
  if (current == nullptr) {
    std::abort();
  }
  return current->List();
}

namespace win {

struct Win32PrinterList::Parts {
  Parts(platform::LibraryLoader& loader, platform::MessageBoxes& messages,
        PrinterSupportCheck& support, std::string companyKey, std::string specialTapeSuffix)
      : environment{spooler,
                    registry,
                    loader,
                    contexts,
                    memory,
                    version,
                    waitCursor,
                    messages,
                    support,
                    std::move(companyKey),
                    std::move(specialTapeSuffix)},
        list(environment) {}

  platform::Win32PrinterSpooler spooler;
  platform::Win32MachineRegistry registry;
  Win32InformationContexts contexts;
  Win32GlobalMemory memory;
  Win32SystemVersion version;
  Win32WaitCursor waitCursor;
  PrinterEnvironment environment;
  PrinterList list;  // last: released before the services it uses
};

Win32PrinterList::Win32PrinterList(platform::LibraryLoader& loader,
                                   platform::MessageBoxes& messages, PrinterSupportCheck& support,
                                   std::string companyKey, std::string specialTapeSuffix)
    : parts_(std::make_unique<Parts>(loader, messages, support, std::move(companyKey),
                                     std::move(specialTapeSuffix))) {
  current = this;
}

Win32PrinterList::~Win32PrinterList() {
  if (current == this) {
    current = nullptr;
  }
}

PrinterList& Win32PrinterList::List() {
  return parts_->list;
}

}  // namespace win
}  // namespace vexlow
