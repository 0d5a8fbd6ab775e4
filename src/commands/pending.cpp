// TEMPORARY until the file and About work lands.
#include "commands/commands.h"
namespace corvani {
void OpenCommand() {}
void SaveCommand() {}
void AboutCommand() {}
void CloseAboutCommand() {}
}  // namespace corvani
