#pragma once

// The command handlers the window definitions bind to button clicks: no arguments, no result.
namespace corvani {

void OpenCommand();
void SaveCommand();
void AboutCommand();
void CloseAboutCommand();

}  // namespace corvani
