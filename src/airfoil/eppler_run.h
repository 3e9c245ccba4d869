// Running the airfoil analysis program: write the card file, start the
// program without a shell, wait for it under a time limit, read its listing.
// This is the only part of the protocol that touches processes and files.
//
// One work folder holds everything of a run: the card file, the listing, and
// it is the current directory of the program, which is started as
//   <program> <card file> <listing>
// with the two names relative to that folder. The polar window uses
// "EPP.in"/"EPP.out", the station drag run "EPP.in1"/"EPP.out1" (one spelling
// each, as the file system is case-sensitive).
//
// Outcomes are told apart (EpplerRunStatus): the program could not be started
// (error box naming the program), it overran the time limit and was killed
// (the time-out box), it ended without a listing (nothing shown), its listing
// could not be read (error box naming the listing line), or it completed.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "airfoil/eppler_card.h"
#include "airfoil/eppler_listing.h"
#include "wing/platform.h"

namespace velarix {

struct EpplerFileNames {
  std::string card;     // written by the run, first argument of the program
  std::string listing;  // written by the program, second argument
};

inline const EpplerFileNames kPolarWindowEpplerFiles{"EPP.in", "EPP.out"};
inline const EpplerFileNames kStationDragEpplerFiles{"EPP.in1", "EPP.out1"};

// Our own analysis program, expected beside the main executable.
inline constexpr std::string_view kAnalysisProgramName = "velarix-analysis";
// The time limit: the exit state is asked for at most 60 times, 100 ms apart;
// a program that ends earlier is noticed at once, not at the next poll.
inline constexpr std::chrono::milliseconds kEpplerPollInterval{100};
inline constexpr int kEpplerPollCount = 60;
// The program runs at raised priority where that is permitted (a negative
// nice value needs the right to raise priorities; without it the program
// keeps the priority it inherits).
inline constexpr int kEpplerProgramNice = -10;

inline constexpr std::string_view kEpplerErrorCaption = "Eppler.exe";
inline constexpr std::string_view kEpplerTimeoutText =
    "Fehler beim Ausführen der Eppler.exe. Zeitlimit überschritten .\r"
    "Ändern Sie die Einstellungen !";

struct EpplerSettings {
  // The analysis program. Any program that reads the same card file and
  // writes a listing with the same fields may be named here.
  std::filesystem::path programPath;
  // Card file, listing and current directory of the program.
  std::filesystem::path workFolder;
  std::chrono::milliseconds pollInterval = kEpplerPollInterval;
  int pollCount = kEpplerPollCount;
  int programNice = kEpplerProgramNice;
};

// The folder of the running executable (from /proc/self/exe; the current
// directory if that cannot be read).
std::filesystem::path runningExecutableFolder();

// The default work folder: "velarix" in the user's cache folder
// ($XDG_CACHE_HOME, else $HOME/.cache), else "velarix-<uid>" in the temporary
// folder. The executable's own folder is usually not writable once the
// program is installed, so it is not used. The run creates the folder.
std::filesystem::path defaultEpplerWorkFolder();

// velarix-analysis beside the running executable, the default work folder and
// the standard time limit.
EpplerSettings defaultEpplerSettings();

enum class EpplerRunStatus {
  Completed,      // the program ended and its listing was read (and parsed)
  CouldNotStart,  // work folder, card file or program start failed (error shown)
  TimedOut,       // still running after the last poll; killed (time-out box shown)
  NoListing,      // the program ended without writing the listing (nothing shown)
  Malformed,      // the listing could not be read or held no results (error shown)
};

struct EpplerProgramRun {
  EpplerRunStatus status = EpplerRunStatus::CouldNotStart;
  std::string message;               // the text shown for an error, else empty
  std::vector<std::string> listing;  // the listing as written (Completed only)
  int exitCode = -1;                 // exit status when the program ended by itself
};

// Writes the card lines into the work folder, deletes an old listing (so a
// failed run never reads a stale one), starts the program hidden (standard
// streams on /dev/null, no inherited descriptors, own process group) and
// polls it. A program that overruns is killed together with its process
// group and reaped. Errors are shown through platform.showError with the
// caption "Eppler.exe". Status Completed means a listing file was read.
EpplerProgramRun runEpplerProgram(const EpplerSettings& settings, const EpplerFileNames& files,
                                  const std::vector<std::string>& cardLines, Platform& platform);

// Deletes the card file and the listing of a file pair in the work folder
// (missing files are fine).
void deleteEpplerFiles(const EpplerSettings& settings, const EpplerFileNames& files);

// The polar window's reset: deletes "EPP.in" and "EPP.out" and clears valid.
void DeleteEpplerFiles(const EpplerSettings& settings, TEpplerResult& result);

struct EpplerRunReport {
  EpplerRunStatus status = EpplerRunStatus::CouldNotStart;
  std::string message;               // the text shown for an error, else empty
  std::vector<std::string> listing;  // the cleaned listing (for the listing page)
};

// One run of the polar window: DeleteEpplerFiles, write the card, run the
// program, clean and parse the listing, apply the bubble correction when
// asked. On success result is the new, valid result with the airfoil's name;
// otherwise result is left invalid. Throws EpplerCardError for inputs that
// cannot be written as a card (the caller validates them first).
EpplerRunReport RunEppler(const EpplerCardInputs& inputs, bool bubbleCorrection,
                          const EpplerSettings& settings, Platform& platform,
                          TEpplerResult& result);

}  // namespace velarix
