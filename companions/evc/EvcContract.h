#pragma once

// What Korvalin relies on in evc's last words and exit codes. Exit codes:
//   0  done: the output holds all that was asked for
//   1  refused or failed before or while converting (ffmpeg's own non-zero
//      code is passed on when ffmpeg failed)
//   3  incomplete: the output was kept, but holds less than was asked for
namespace evc {

constexpr int IncompleteExitCode = 3;

// "evc: incomplete: the output holds 00:00:20 of 00:01:00; the source ends
// early or is damaged after 00:00:20."
constexpr const char* IncompleteLead = "incomplete: the output holds ";
constexpr const char* IncompleteOf = " of ";
// "evc: the name was taken meanwhile; the output is /out/clip_1.3gp"
constexpr const char* RenamedOutputLead = "the name was taken meanwhile; the output is ";
// "evc: 3 damaged places in the source were skipped"
constexpr const char* DamagedPlacesTail = " damaged places in the source were skipped";

// Set to "1" in evc's environment by a starter that holds evc's standard
// input, a pipe, open without writing: evc then ends, its partial file
// removed, once that pipe closes, which is when the starter has ended.
constexpr const char* EndWithStarterVariable = "EVC_END_WITH_STARTER";

} // namespace evc
