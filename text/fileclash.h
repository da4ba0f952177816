#pragma once
#include <string>
#include <vector>

namespace orthavion {

/// Refuses a call in which one file would be both read and written, or
/// written twice: every output is compared with every input and with every
/// other output as the same file after following symbolic links (device
/// and inode; an output that does not exist yet by its folder's device and
/// inode and its name). Throws `Error` "Dateizugriff verweigert: <output>"
/// naming the first output that clashes, before anything is written.
/// Names that cannot be examined (a missing folder, an empty name) are
/// left to the command that opens them, with its own error text.
void RefuseFileClashes(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs);

}  // namespace orthavion
