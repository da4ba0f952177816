#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>


namespace orthavion {

/// One more file that a run writes beside its protocol: the name and its
/// content, handed to a sink piece by piece so that a large one is never
/// held as one text.
struct OutputFile {
  std::string name;
  std::function<void(const std::function<void(std::string_view)>& sink)> content;
};

/// Saves `files` so that an error leaves every one of them as it was: each
/// file goes completely into a temporary file beside it first, then
/// `beforeRenaming` runs (it may save one more file of its own), and only
/// then are the files renamed over their names, in order. Throws `Error`
/// "Datei "<name>" kann nicht erstellt werden. <reason>" when a file cannot
/// be created, "Stream konnte nicht gespeichert werden" when writing fails.
void SaveOutputFiles(const std::vector<OutputFile>& files,
                     const std::function<void()>& beforeRenaming = {});

}  // namespace orthavion
