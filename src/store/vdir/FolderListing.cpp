#include "FolderListing.h"

#include "VdirIndex.h"

#include <QFile>

#include <sys/vfs.h>

namespace {

bool isLocal(const QString& folderPath) {
    struct statfs info {};
    if (::statfs(QFile::encodeName(folderPath).constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:     // NFS
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x517BUL:     // SMB
    case 0x65735546UL: // FUSE
    case 0x564C70UL:   // NCP
    case 0x5346414FUL: // AFS
    case 0x6B414653UL: // kAFS
    case 0x01021997UL: // 9P
    case 0x19830326UL: // FhGFS
    case 0x47504653UL: // GPFS
    case 0x00C36400UL: // Ceph
        return false;
    default:
        return true;
    }
}

} // namespace

std::optional<FileStamp> FolderListing::stampOf(const QString& folderPath) {
    const qint64 settled = VdirIndex::settledBefore();
    const std::optional<FileStamp> stamp = FileStamp::of(folderPath);
    if (!stamp || stamp->lastChangeNs() > settled || !isLocal(folderPath))
        return std::nullopt;
    return stamp;
}
