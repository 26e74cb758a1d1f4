#include "output/targetfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace output {

TargetFile::TargetFile(const QString& path) : path_(path) {}

TargetFile::~TargetFile()
{
    if (!temp_.isEmpty())
        QFile::remove(temp_);
}

bool TargetFile::open()
{
    const QFileInfo target(path_);
    if (path_.isEmpty()) {
        error_ = QStringLiteral("no file name given");
        return false;
    }
    if (target.isDir()) {
        error_ = QStringLiteral("%1 is a folder").arg(path_);
        return false;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists() || !folder.isDir()) {
        error_ = QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(target.absolutePath()));
        return false;
    }
    if (target.exists() && !target.isWritable()) {
        error_ = QStringLiteral("%1 cannot be written: permission denied").arg(path_);
        return false;
    }
    QTemporaryFile tmp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    tmp.setAutoRemove(false);
    if (!tmp.open()) {
        error_ = QStringLiteral("%1 cannot be written: %2").arg(path_, tmp.errorString());
        return false;
    }
    temp_ = tmp.fileName();
    // The new file gets the permissions an ordinary new file would.
    tmp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                       | QFileDevice::ReadOther);
    return true;
}

bool TargetFile::commit()
{
    if (temp_.isEmpty())
        return false;
    if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(path_).constData()) != 0) {
        error_ = QStringLiteral("%1 cannot be written: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(temp_);
        temp_.clear();
        return false;
    }
    temp_.clear();
    return true;
}

void TargetFile::fail(const QString& reason)
{
    error_ = QStringLiteral("%1 cannot be written: %2").arg(path_, reason);
    if (!temp_.isEmpty())
        QFile::remove(temp_);
    temp_.clear();
}

} // namespace output
