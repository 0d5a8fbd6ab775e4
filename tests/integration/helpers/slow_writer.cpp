// Saves a large file with WriteWholeFile so that a test can kill it part way:
// slow_writer <path> <megabytes> <ready-event>; the event named <ready-event>-done is
// signalled when the save returns. The new content is that many MiB of 'n'.
#include <windows.h>

#include <cstdlib>

#include "document/write_whole_file.h"

int main(int argc, char** argv) {
  if (argc != 4) return 1;
  const std::size_t size = std::strtoul(argv[2], nullptr, 10) << 20;
  const corvani::Bytes data{std::string(size, 'n')};
  HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (ready == nullptr) return 3;
  HANDLE done = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(argv[3]) + "-done").c_str());
  if (done == nullptr) return 3;
  ::SetEvent(ready);
  const bool saved = corvani::WriteWholeFile(argv[1], data);
  ::SetEvent(done);
  return saved ? 0 : 4;
}
