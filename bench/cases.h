#pragma once

class BenchTable;
#include <QStringList>

// Cases run as whole processes: start-up and memory, the browser against a bare program.
void runProcessCases(BenchTable &table, int runs);
// The bare program, run as a child of the benchmark; returns its exit code.
int runChild(const QStringList &arguments);

// Cases run inside this process: tabs at scale, the source view, keyword screening.
void runInProcessCases(BenchTable &table, int runs);

// Cases 11 and 12: the browser blocking with its lists against itself without.
void runBlockingCases(BenchTable &table, int runs);

// Case 10: the filter engine on the lists the browser ships.
void runFilterCases(BenchTable &table, int runs);

// Whether a numbered case is to run: all of them, or those listed in BENCH_CASES ("3,6").
bool caseWanted(int number);
