#include "RunOutcome.h"

#include "CommandLine.h"
#include "EvcContract.h"

#include <cstring>

namespace {

// The reason in words for an output that holds less than was asked for, from
// the encoder's "incomplete: the output holds 00:00:20 of 00:01:00; ...".
std::string IncompleteReason(const std::string& Words, const std::string& Output) {
    const size_t Held = std::strlen(evc::IncompleteLead);
    const size_t Of = Words.find(evc::IncompleteOf, Held);
    const size_t End = Words.find(';', Of);
    const std::string Kept = "; what could be read is kept in " + Output;
    if (!Words.starts_with(evc::IncompleteLead) || Of == std::string::npos ||
        End == std::string::npos)
        return Words + Kept;
    const size_t Total = Of + std::strlen(evc::IncompleteOf);
    return "only " + Words.substr(Held, Of - Held) + " of " + Words.substr(Total, End - Total) +
           " could be read: the source ends early or is damaged" + Kept;
}

} // namespace

TRunOutcome JudgeRun(const TRunEnd& Run, const std::string& Command,
                     const std::function<bool(const std::string& Path)>& FileExists) {
    TRunOutcome Outcome;
    const std::vector<std::string> Words = SplitCommandLine(Command);
    Outcome.Output = Words.empty() ? std::string() : Words.back();
    for (const std::string& Note : Run.EncoderNotes)
        if (Note.starts_with(evc::RenamedOutputLead))
            Outcome.Output = Note.substr(std::strlen(evc::RenamedOutputLead));
    if (!Run.Started) {
        Outcome.Reason = "the encoder could not be started";
    } else if (Run.ExitCode == evc::IncompleteExitCode) {
        Outcome.Kind = TRunOutcome::TKind::Incomplete;
        Outcome.Reason = IncompleteReason(Run.EncoderWords, Outcome.Output);
    } else if (Run.ExitCode != 0) {
        Outcome.Reason = !Run.EncoderWords.empty()
                             ? Run.EncoderWords
                             : "the encoder ended with exit code " + std::to_string(Run.ExitCode);
    } else if (Outcome.Output.empty() || !FileExists(Outcome.Output)) {
        Outcome.Reason = "the encoder left no output file";
    } else {
        Outcome.Kind = TRunOutcome::TKind::Converted;
    }
    return Outcome;
}
