#pragma once

// Whole processes as the benchmark runs them: started with local addresses, timed until
// each page calls the local server, and their process tree's memory and processor read
// from /proc.
#include "support/httpresponder.h"

#include <QList>
#include <QStringList>

// PSS in MiB of a process and all its descendants, from /proc/*/smaps_rollup.
double treePssMiB(qint64 root);

// Page n of the benchmark: a small page that calls home once it has loaded.
QByteArray benchPage(int n);
// An everyday page: 3,000 elements, a canvas drawn 60 times a second and 8 MB of script
// data; it calls home once it has loaded.
QByteArray everydayPage(int n);
// Fifty everyday pages, each on a site of its own (127.0.0.n): their addresses.
QStringList everydaySites(HttpResponder &server);

struct RunResult
{
    double ms = -1;
    double pssMiB = -1;
    double idleCores = -1;
};

// What is measured once the pages have loaded: after settleMs, the tree's PSS (when
// memory is asked for) and the cores it uses over cpuMs (when that is above 0).
struct Settle
{
    int settleMs = 1500;
    bool memory = false;
    int cpuMs = 0;
};

// Starts a program and waits until each of its pages has called home; the milliseconds
// from the start to the last call, and the tree's PSS and idle processor once settled.
RunResult runOnce(HttpResponder &server, const QString &program, const QStringList &arguments,
    int pages, Settle settle);

// Medians gathered for the program measured and for its baseline.
struct Pair
{
    QList<double> browser, bare;
};
