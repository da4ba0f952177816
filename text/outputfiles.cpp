#include "text/outputfiles.h"

#include <memory>

#include "base/error.h"
#include "base/texts.h"
#include "text/fileerror.h"
#include "text/replacingfile.h"

namespace orthavion {

void SaveOutputFiles(const std::vector<OutputFile>& files,
                     const std::function<void()>& beforeRenaming) {
  // ReplacingFile is neither copied nor moved: each one lives where it was
  // made, and its destructor removes its temporary file on any error.
  std::vector<std::unique_ptr<ReplacingFile>> written;
  for (const OutputFile& f : files) {
    auto& file = *written.emplace_back(std::make_unique<ReplacingFile>());
    if (const int err = file.Create(f.name)) RaiseCannotCreate(f.name, err);
    int err = 0;
    f.content([&](std::string_view bytes) {
      if (err == 0) err = file.Write(bytes);
    });
    if (err != 0 || file.Finish() != 0) throw Error(texts::kStreamNotSaved);
  }
  if (beforeRenaming) beforeRenaming();
  for (const auto& file : written)
    if (file->Replace() != 0) throw Error(texts::kStreamNotSaved);
}

}  // namespace orthavion
