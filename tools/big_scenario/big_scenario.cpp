// Big scenarios made from the example model's input file (big_scenario.h).
#include "big_scenario.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace big_scenario {

namespace {

struct Text {
    std::vector<std::string> lines;   // without their line ends
    std::string eol;
};

Text Split(const std::string &text)
{
    Text t;
    t.eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        t.lines.push_back(line);
    }
    return t;
}

std::string Format(const char *format, double a, double b)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The index of the section header line holding title, -1 when none does.
int Header(const Text &t, const char *title)
{
    for (size_t i = 0; i < t.lines.size(); ++i)
        if (!t.lines[i].empty() && t.lines[i][0] == ';' && t.lines[i].find(title) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

// The line with its first number replaced by count.
std::string WithCount(const std::string &line, int count)
{
    const size_t start = line.find_first_of("0123456789");
    if (start == std::string::npos)
        return line;
    size_t end = start;
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end])))
        ++end;
    return line.substr(0, start) + std::to_string(count) + line.substr(end);
}

// A few metres from the original position, different for each of 400
// neighbours.
double OffsetX(int i) { return 2.0 * (i % 20); }
double OffsetY(int i) { return 2.0 * ((i / 20) % 20); }

// The lines of a release section (count line, releases) repeated to count
// releases; false when the section holds no release.  The section runs from
// its header to the last non-empty line before the next header.  Between
// two releases the editor leaves gap more empty lines than before the first
// (an instantaneous release's mass table ends its last line, a continuous
// release's rate table leaves it to what follows).
bool Releases(const Text &t, int header, int next, int count, int gap, const char *namePrefix,
              std::vector<std::string> *out)
{
    int last = next - 1;
    while (last > header && t.lines[static_cast<size_t>(last)].empty())
        --last;
    const std::vector<std::string> block(t.lines.begin() + header + 2, t.lines.begin() + last + 1);
    int nameLine = -1, positionLine = -1;
    double x = 0, y = 0;
    for (size_t k = 0; k < block.size(); ++k) {
        if (nameLine < 0 && !block[k].empty() && block[k][0] == '\'')
            nameLine = static_cast<int>(k);
        if (nameLine >= 0 && positionLine < 0 && std::sscanf(block[k].c_str(), "%lf %lf", &x, &y) == 2 &&
            block[k].compare(0, 32, Format("    %12.2f   %12.2f ", x, y)) == 0)
            positionLine = static_cast<int>(k);
    }
    if (nameLine < 0 || positionLine < 0)
        return false;
    out->push_back(t.lines[static_cast<size_t>(header)]);
    out->push_back(WithCount(t.lines[static_cast<size_t>(header) + 1], count));
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out->insert(out->end(), static_cast<size_t>(gap), std::string());
        for (size_t k = 0; k < block.size(); ++k) {
            if (static_cast<int>(k) == nameLine)
                out->push_back("'" + std::string(namePrefix) + " " + std::to_string(i + 1) + "'");
            else if (static_cast<int>(k) == positionLine)
                out->push_back(Format("    %12.2f   %12.2f ", x + OffsetX(i), y + OffsetY(i)) + block[k].substr(32));
            else
                out->push_back(block[k]);
        }
    }
    for (int k = last + 1; k < next; ++k)
        out->push_back(t.lines[static_cast<size_t>(k)]);
    return true;
}

}  // namespace

std::string Make(const std::string &exampleInput, const Counts &counts)
{
    const Text t = Split(exampleInput);
    const int observation = Header(t, "Observation points");
    const int instantaneous = Header(t, "Instantaneous releases");
    const int continuous = Header(t, "Continuous releases");
    const int userDefined = Header(t, "User defined releases");
    if (observation < 0 || instantaneous < observation || continuous < instantaneous || userDefined < continuous)
        return {};
    // Observation points: count line, a comment, one line a point.
    std::vector<double> px, py;
    size_t end = static_cast<size_t>(observation) + 3;
    for (; end < t.lines.size() && t.lines[end].find('\'') != std::string::npos; ++end) {
        const std::string &line = t.lines[end];
        double x = 0, y = 0;
        if (std::sscanf(line.c_str() + line.rfind('\'') + 1, "%lf %lf", &x, &y) != 2)
            return {};
        px.push_back(x);
        py.push_back(y);
    }
    if (px.empty())
        return {};
    std::vector<std::string> out(t.lines.begin(), t.lines.begin() + observation + 1);
    out.push_back(WithCount(t.lines[static_cast<size_t>(observation) + 1], counts.observationPoints));
    out.push_back(t.lines[static_cast<size_t>(observation) + 2]);
    for (int i = 0; i < counts.observationPoints; ++i) {
        const size_t base = static_cast<size_t>(i) % px.size();
        const int n = i / static_cast<int>(px.size());
        const std::string quoted = "'obs " + std::to_string(i + 1) + "'";
        char line[128];
        std::snprintf(line, sizeof line, "   %-20s   %22.2f %22.2f  ", quoted.c_str(), px[base] + OffsetX(n),
                      py[base] + OffsetY(n));
        out.push_back(line);
    }
    out.insert(out.end(), t.lines.begin() + static_cast<long>(end), t.lines.begin() + instantaneous);
    if (!Releases(t, instantaneous, continuous, counts.instantaneousReleases, 1, "spill", &out) ||
        !Releases(t, continuous, userDefined, counts.continuousReleases, 0, "outfall", &out))
        return {};
    out.insert(out.end(), t.lines.begin() + userDefined, t.lines.end());
    std::string text;
    for (const std::string &line : out)
        text += line + t.eol;
    return text;
}

bool Write(const std::string &exampleFile, const std::string &outputFile, const Counts &counts, std::string *why)
{
    std::ifstream in(exampleFile, std::ios::binary);
    if (!in) {
        *why = "cannot read " + exampleFile;
        return false;
    }
    std::stringstream example;
    example << in.rdbuf();
    const std::string text = Make(example.str(), counts);
    if (text.empty()) {
        *why = exampleFile + " lacks observation points or releases to repeat";
        return false;
    }
    std::ofstream out(outputFile, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        *why = "cannot write " + outputFile;
        return false;
    }
    return true;
}

bool WriteModel(const std::string &exampleDir, const std::string &outputDir, const Counts &counts, std::string *why)
{
    namespace fs = std::filesystem;
    const fs::path example = exampleDir, output = outputDir;
    std::error_code ec;
    fs::remove_all(output, ec);
    fs::create_directories(output, ec);
    for (const fs::directory_entry &entry : fs::directory_iterator(example, ec))
        if (entry.is_regular_file())
            fs::copy_file(entry.path(), output / entry.path().filename(), ec);
    if (!ec)
        fs::rename(output / "trazest.inp", output / "small.inp", ec);
    if (ec) {
        *why = "cannot copy " + exampleDir + " to " + outputDir + ": " + ec.message();
        return false;
    }
    return Write((output / "small.inp").string(), (output / "trazest.inp").string(), counts, why);
}

}  // namespace big_scenario
