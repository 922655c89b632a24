#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

// korvalin-convert: converts files as the window does, with the same tables,
// profiles, folders and encoder, several at once, and records each file.
// Progress and results go to Out, the reasons for a refusal to Err. Returns
// the exit status: 0 all converted or already done, 1 a file failed or came
// out incomplete, 2 a command line that cannot be carried out (nothing is
// touched then), 128 + the signal once StopSignal was set by one. Out is a
// terminal of TerminalColumns columns, or none when they are 0.
int RunConvertCommand(const std::vector<std::string>& Arguments, std::ostream& Out,
                      std::ostream& Err, int TerminalColumns, const std::atomic<int>& StopSignal);
