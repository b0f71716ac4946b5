#include "report.h"

#include <nlohmann/json.hpp>

#include "exit_codes.h"

namespace cli {

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

}  // namespace

const char* ExitName(int exitCode) {
  switch (exitCode) {
    case kExitOk:
      return "completed";
    case kExitCancelled:
      return "cancelled";
    case kExitUsage:
      return "usage";
    case kExitBadData:
      return "bad package or entry";
    case kExitNoInput:
      return "no input";
    case kExitNoLibrary:
      return "no library";
    case kExitUnexpected:
      return "unexpected result";
    case kExitNoMemory:
      return "no memory";
    case kExitCannotWrite:
      return "cannot write";
    case kExitUpdateFailed:
      return "failed";
    case kExitWrongModel:
      return "wrong model";
    case kExitNotReady:
      return "not ready";
    case kExitVerifyMismatch:
      return "verify mismatch";
    default:
      return "transfer failed";
  }
}

std::string ReportJson(const Report& report) {
  Json printers = Json::array();
  for (const ListedPrinterReport& p : report.printers) {
    printers.push_back({{"name", p.name}, {"model", OrNull(p.model)}, {"ready", p.ready}});
  }
  Json object = {
      {"command", report.command},
      {"printer", report.printer},
      {"model", OrNull(report.model)},
      {"package", report.package},
      {"version", report.version},
      {"dryRun", report.dryRun},
      {"result",
       {{"code", report.exitCode}, {"name", ExitName(report.exitCode)}, {"words", report.words}}},
      {"transferResult", OrNull(report.transferResult)},
      {"bytes", report.bytes},
      {"seconds", report.seconds},
      {"verify", report.verify
                     ? Json{{"matched", report.verify->matched}, {"words", report.verify->words}}
                     : Json(nullptr)},
  };
  if (report.command == "printers") {
    object["printers"] = printers;
  }
  // Names and paths come in the system's code page; a byte that is not UTF-8
  // must not make the object unwritable.
  return object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace cli
