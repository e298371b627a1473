#include "common/memory.h"

#include <algorithm>
#include <QFile>

namespace Memory {

double availableShare()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    return meminfo.open(QIODevice::ReadOnly) ? availableShare(meminfo.readAll()) : 1;
}

double availableShare(const QByteArray &meminfo)
{
    double total = 0, available = 0;
    for (const QByteArray &line : meminfo.split('\n')) {
        if (line.startsWith("MemTotal:"))
            total = line.simplified().split(' ').value(1).toDouble();
        else if (line.startsWith("MemAvailable:"))
            available = line.simplified().split(' ').value(1).toDouble();
    }
    return total > 0 && available > 0 ? std::min(1.0, available / total) : 1;
}

} // namespace Memory
