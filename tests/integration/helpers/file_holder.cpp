// Holds a file open, as another program would, until it is killed: file_holder <path>
// <share-mode> <ready-event>. Signals the event once the file is open; exits 2 if it cannot be.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) return 1;
  const DWORD share = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 0));
  HANDLE file = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (ready == nullptr) return 3;
  ::SetEvent(ready);
  ::Sleep(INFINITE);
}
