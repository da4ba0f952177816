#pragma once
// File-system faults that need a mount: a read-only folder (root ignores
// permissions, so only a read-only mount stops its writes) and a small,
// full file system. The mounts are made in a child process with a mount
// namespace of its own: no other process sees them, and they vanish with
// the child.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hardening {

/// What `work` found in the child: texts that the parent compares.
using Findings = std::vector<std::string>;

/// Runs `work` in a child process that has a private mount namespace.
/// Returns its findings; nullopt when this machine does not allow the
/// namespace or a mount (the test then skips). A child that throws or dies
/// yields one finding describing that, so the comparison fails.
std::optional<Findings> WithPrivateMounts(const std::function<Findings()>& work);

/// In `work`: mounts a tmpfs of `bytes` over the folder `at`; ends the child
/// as "not allowed" when the mount is refused.
void MountSmallTmpfs(const std::filesystem::path& at, std::size_t bytes);

/// In `work`: makes the folder `at` read-only by a read-only bind mount of
/// itself; ends the child as "not allowed" when that is refused.
void MountReadOnly(const std::filesystem::path& at);

}  // namespace hardening
