// A growable array of fixed-size byte records: records added are zero-filled,
// kept records keep their bytes and order, and an empty array holds no block.
#ifndef TOOL_PRINTERS_RECORD_ARRAY_H
#define TOOL_PRINTERS_RECORD_ARRAY_H

#include <cstddef>
#include <vector>

namespace vexlow {

template <typename Record>
class RecordArray {
 public:
  std::size_t Size() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }
  // Holds n records afterwards; n = 0 frees the block.
  void SetSize(std::size_t n) {
    if (n == 0) {
      std::vector<Record>().swap(records_);
    } else {
      records_.resize(n);
    }
  }
  // The records contiguous, Record::kSize bytes each.
  Record* Data() { return records_.data(); }

  Record& operator[](std::size_t i) { return records_[i]; }
  const Record& operator[](std::size_t i) const { return records_[i]; }
  const Record* begin() const { return records_.data(); }
  const Record* end() const { return records_.data() + records_.size(); }
  Record* begin() { return records_.data(); }
  Record* end() { return records_.data() + records_.size(); }

  // Keeps, in order, the records for which keep answers true.
  template <typename Predicate>
  void KeepIf(Predicate keep) {
    std::size_t kept = 0;
    for (const Record& record : records_) {
      if (keep(record)) {
        records_[kept++] = record;
      }
    }
    SetSize(kept);
  }

 private:
  std::vector<Record> records_;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_RECORD_ARRAY_H
