#pragma once

#include "AppFolders.h"
#include "ConversionRecord.h"
#include "ConvertParameter.h"

#include <atomic>
#include <string>

class TMediaDurationProber;
class TRunControl;

// What every file of a korvalin-convert run shares.
struct TRunSettings {
    std::string ProgramFolder; // where evc.exe is, with its trailing separator
    std::string OutputFolder;
    TOptionSelection Options;
    // The trim asked for; empty for the source's start and end.
    std::string StartTime, EndTime;
    // What each entry of the record starts from: the host, the type and its
    // options in words, and the programs' versions.
    TConversionEntry Entry;
};

// Hears how the jobs of a run go; called on the jobs' own threads.
class IJobProgress {
public:
    virtual ~IJobProgress() = default;
    virtual void Started(int Job, const std::string& Source, double Seconds) = 0;
    virtual void Position(int Job, double Seconds) = 0;
    virtual void Ended(int Job, const TConversionEntry& Entry) = 0;
};

// One job of a run: converts a source at a time, with its script and log in
// a folder of its own, so that jobs share nothing but the output folder.
class TConvertJob {
public:
    // StopSignal is set once a signal stops the run.
    TConvertJob(int Number, const TRunSettings& Settings, const TRecordIndex& Done,
                std::string JobFolder, const TMediaDurationProber& Prober, IJobProgress& Progress,
                const std::atomic<int>& StopSignal);

    // Converts the source, or skips it when the record shows its output as
    // made from the same source with the same settings and still unchanged;
    // an earlier output of that kind that came out incomplete is replaced.
    // Ended through Control, the conversion leaves no partial file behind.
    TConversionEntry Convert(const std::string& Source, TRunControl& Control) const;

private:
    // Fills in the source's trim; false, with the reason in the entry, when
    // the source cannot be converted.
    bool ReadSource(TConversionEntry& Entry) const;
    void Run(TConversionEntry& Entry, TRunControl& Control) const;

    const int Number;
    const TRunSettings& Settings;
    const TRecordIndex& Done;
    const std::string JobFolder;
    const TMediaDurationProber& Prober;
    IJobProgress& Progress;
    const std::atomic<int>& StopSignal;
};
