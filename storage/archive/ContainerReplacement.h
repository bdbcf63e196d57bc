#pragma once

#include "ArchiveTypes.h"

#include <QStringList>

#include <functional>

namespace ergotab {

// Writes `files`, in order, as a new container named `target`, for callers that replace a
// document or Library.LIB. The container is written beside the target under a temporary name,
// flushed to disk and renamed over the target only when complete: if anything fails an
// ArchiveError is thrown, the temporary file is gone and an existing target is untouched.
// Do not delete the old file first; this takes its place in one step.
//
// `progress` receives the container's progress notifications (may be empty).
void writeContainerAtomically(const QString &target, const QStringList &files, TFileCompressionLevel level,
                              const std::function<void(const QString &, int)> &progress = {});

} // namespace ergotab
