#include "document/program_directory.h"

#include "app/application.h"
#include "document/allocation.h"

namespace corvani {

Text ProgramDirectory() {
  const Text& directory = Application::Current().program_directory();
  return AllocateOrDie(directory.size(), [&] { return directory; });
}

}  // namespace corvani
