#pragma once

// The main of the benchmarks that draw: no display, an empty registry of
// their own (document windows read their colours from it, never the user's),
// and the program-wide objects made and released around the run.

#include "drawing/BackBuffer.h"
#include "drawing/untCommon.h"
#include "platform/Printer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

inline int RunDrawingBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    InitializeCommonUnit();
    InitializeBackBuffer();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FinalizePrinter();
    FinalizeBackBuffer();
    FinalizeCommonUnit();
    return 0;
}
