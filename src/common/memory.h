#pragma once

#include <QByteArray>

// How much of the system's memory is available, as the kernel tells it.
namespace Memory {

// The share available now (MemAvailable of MemTotal in /proc/meminfo); 1 when unknown.
double availableShare();
// The same, read from the text of a /proc/meminfo.
double availableShare(const QByteArray &meminfo);

} // namespace Memory
