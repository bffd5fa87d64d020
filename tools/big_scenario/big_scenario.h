// Big scenarios for the tests and benchmarks of large models: the example
// model's input file with its observation points and its instantaneous and
// continuous releases repeated to the counts asked for, each one named by
// its number and placed a few metres from the example's own, written as the
// editor writes an input file so that a save of the scenario unchanged gives
// the same bytes back.
#ifndef TRAZ_TOOLS_BIG_SCENARIO_H
#define TRAZ_TOOLS_BIG_SCENARIO_H

#include <string>

namespace big_scenario {

struct Counts {
    int observationPoints;
    int instantaneousReleases;
    int continuousReleases;
};

// The example's input text (exampleInput, as read from the file) with the
// given counts; an empty text when the example lacks one of the three
// sections or holds no entry in it.
std::string Make(const std::string &exampleInput, const Counts &counts);

// Reads the example's input file, writes the big one; false with a reason
// in *why when a file cannot be read or written or the example does not fit.
bool Write(const std::string &exampleFile, const std::string &outputFile, const Counts &counts, std::string *why);

// A copy of the example model's directory (its files, not its folders) in
// outputDir, emptied first, whose trazest.inp is the big one; the example's
// own input file is kept beside it as small.inp.  False with a reason in
// *why.
bool WriteModel(const std::string &exampleDir, const std::string &outputDir, const Counts &counts, std::string *why);

}  // namespace big_scenario

#endif
