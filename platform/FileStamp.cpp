#include "platform/FileStamp.h"

#include "platform/FileName.h"

#include <sys/stat.h>

CFileStamp CFileStamp::Of(const QString& path) {
    CFileStamp stamp;
    struct stat st {};
    if (path.isEmpty() || ::stat(FileName::ToNative(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return stamp;
}
