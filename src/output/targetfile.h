#pragma once
// Writing a file so that it appears whole or not at all: the content goes
// into a temporary file beside the target, which is renamed over the target
// when everything is written, and removed otherwise.

#include <QString>

namespace output {

class TargetFile {
public:
    explicit TargetFile(const QString& path);
    ~TargetFile();
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;

    // Creates the temporary file. False, with error(), when the target cannot
    // be written (no such folder, no permission, a folder of that name).
    bool open();
    // Where to write until commit().
    const QString& tempPath() const { return temp_; }
    // Renames the temporary file to the target. False, with error(), if that
    // fails; the temporary file is removed either way.
    bool commit();
    // Records a failure while writing (the temporary file is removed).
    void fail(const QString& reason);

    const QString& error() const { return error_; }

private:
    QString path_;
    QString temp_;
    QString error_;
};

} // namespace output
