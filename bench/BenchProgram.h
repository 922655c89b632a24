#pragma once

// The program's windows for the benchmarks that drive them offscreen.
#include "DurationProbe.h"
#include "Globals.h"
#include "MpvGraph.h"
#include "ProductInfo.h"
#include "QuietSystem.h"
#include "Unit_Convert.h"
#include "UserDialogs.h"

#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>

// The windows on a program folder of the benchmark's own, with the real
// duration probe (or the one given) and a system that acts on nothing.
class TBenchProgram {
public:
    explicit TBenchProgram(const std::filesystem::path& Folder,
                           const IDurationProber* Prober = nullptr) {
        std::filesystem::create_directories(Folder / "Config");
        for (const std::string& Library : CompanionLibraries) // installed beside it
            std::filesystem::copy_file(KORVALIN_DIST + Library, Folder / Library);
        ApplicationServices = {TAppFolders(Folder.string() + "/"),
                               {},
                               &Dialogs,
                               &System,
                               Prober ? Prober : &RealProber,
                               [](IOutputDispatcher& Dispatcher, IMediaGraphListener& Listener) {
                                   return std::make_unique<TMpvGraph>(Dispatcher, Listener, "null");
                               },
                               nullptr};
        CreateForms();
        FrmMainForm->show();
    }

private:
    TQuietSystem System;
    TQtUserDialogs Dialogs{System, {}};
    const TMediaDurationProber RealProber;
};

// A timer that fires at every turn of the event loop: it tells the longest time
// the user-interface thread went without turning it, and lets a benchmark look
// at the windows between turns.
class TEventLoopWatch {
public:
    explicit TEventLoopWatch(std::function<void()> OnTurn = {}) : OnTurn(std::move(OnTurn)) {
        QObject::connect(&Turns, &QTimer::timeout, [this] {
            const auto Now = std::chrono::steady_clock::now();
            Longest = std::max(Longest, Now - LastTurn);
            LastTurn = Now;
            if (this->OnTurn)
                this->OnTurn();
        });
    }
    void Start() {
        LastTurn = std::chrono::steady_clock::now();
        Turns.start(0);
    }
    void Stop() { Turns.stop(); }
    double LongestGapMilliseconds() const {
        return std::chrono::duration<double, std::milli>(Longest).count();
    }

private:
    QTimer Turns;
    std::function<void()> OnTurn;
    std::chrono::steady_clock::time_point LastTurn;
    std::chrono::steady_clock::duration Longest{};
};
