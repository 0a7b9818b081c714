// A structural check of a recorded metafile, for tests and fuzzers: the header agrees with the
// records, every record is well formed and inside the file, objects are used only while they
// exist, and nothing is stored in a field too narrow for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// True when the bytes are a well-formed chart metafile; otherwise false with the first
// problem found, naming the record by its byte offset.
bool CheckEmf(const uint8_t* bytes, size_t size, std::string& problem);

// Where one record lies in a metafile.
struct EmfRecordView {
  uint32_t type;
  size_t offset;
  uint32_t size;
};

// The records of a metafile in order, up to the first that does not fit the data.
std::vector<EmfRecordView> ListEmfRecords(const uint8_t* bytes, size_t size);

}  // namespace qm
