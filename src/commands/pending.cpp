// TEMPORARY until the file work lands.
#include "commands/commands.h"
namespace corvani {
void OpenCommand() {}
void SaveCommand() {}
}  // namespace corvani
