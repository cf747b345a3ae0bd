#pragma once

#include <string>

namespace ostrel::autoident::detail {

/// Why the file at `path` cannot serve as a value file that several
/// processes change, as a phrase after "the value file '…'": it is not a
/// regular file, it is a symbolic link that leads nowhere (a share that is
/// not mounted: a new file in its place would start every counter again),
/// or it has more than one name (hard links: each change replaces the file
/// under one name only, after which the names number apart). Empty when it
/// can, also when there is no file yet.
std::string whyNotShareable(const std::string& path);

/// A value file that several processes change. A change holds an exclusive
/// lock on a lock file beside the value file (`<value>.lock`, released by the
/// kernel when the process ends, however it ends), reads the file afresh and
/// replaces it whole: the new bytes go to a temporary file in the same
/// folder, are flushed to the disk and renamed over the value file, so a
/// reader or a crash only ever meets the old or the new file.
///
///     SharedValueFile file(path);
///     std::string bytes;
///     if (file.lock() && file.read(bytes) != SharedValueFile::Content::Unusable) {
///         file.replace(changed(bytes));
///     } // the lock is released here
class SharedValueFile {
public:
    enum class Content {
        Missing,  ///< no value file yet
        Read,     ///< the bytes were read
        Unusable, ///< not a regular file, or it cannot be read
    };

    /// `path` may be a symbolic link: the file it leads to is the one locked
    /// and replaced, so that every path to one value file shares one lock.
    explicit SharedValueFile(const std::string& path);
    ~SharedValueFile();
    SharedValueFile(const SharedValueFile&) = delete;
    SharedValueFile& operator=(const SharedValueFile&) = delete;

    /// Waits for the exclusive lock. False when the lock file cannot be
    /// created or locked (a missing folder, no permission).
    [[nodiscard]] bool lock();
    /// Reads the whole value file into `bytes`; Unusable also for a file
    /// that whyNotShareable refuses.
    Content read(std::string& bytes);
    /// Replaces the value file by `bytes` and flushes the file and its folder
    /// to the disk. Temporary files left by a process that died half-way are
    /// removed first. False, the value file unchanged, when any step fails.
    [[nodiscard]] bool replace(const std::string& bytes);

    /// Why the last failed step failed, for an error record.
    const std::string& failure() const { return failure_; }

private:
    bool fail(const std::string& what);
    void removeStaleTemporaries() const;

    std::string path_;
    std::string folder_;
    std::string temporaryPrefix_; ///< `<value name>.tmp-`, in the folder
    int lock_ = -1;
    std::string failure_;
};

} // namespace ostrel::autoident::detail
