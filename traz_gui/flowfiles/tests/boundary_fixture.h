// Fixture of the section reader tests: a message file holding every code
// the readers raise ("CODE <text>"), the definition file open on its unit at
// its first record (the '=' of that record in column 8: keywords in
// columns 1-7, values from column 9), the diagnostic file on a unit of its
// own, and scratch records compared as bytes.
#ifndef TRAZ_BOUNDARY_FIXTURE_H
#define TRAZ_BOUNDARY_FIXTURE_H

#include "definition_fixture.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bndfix {

using Lines = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

class BoundaryTest : public ::testing::Test {
protected:
    void SetUp() override { deffix::WriteMessageFile(); }
    void TearDown() override { Close(); }

    // The records follow a first record "Ident  = ...".
    void Open(const std::vector<std::string> &records)
    {
        Close();
        std::vector<std::string> all = {"Ident  = #VANTOLA.UI    .02.03.930601#"};
        all.insert(all.end(), records.begin(), records.end());
        deffix::WriteDefinition("def.md", all);
        OpenDiag();
        ASSERT_EQ(recio::Open(kDef, "def.md", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        std::string first;
        recio::ReadLine(kDef, &first);
        std::memset(record_, ' ', 80);
        std::memcpy(record_, first.data(), std::min<size_t>(first.size(), 80));
        record_number_ = 1;
        FlowDefinitionStateGet()->keyword_width = 7;
        FlowDefinitionStateGet()->value_start = 9;
    }
    // A diagnostic file only, for the readers of attached files.
    void OpenDiag()
    {
        Close();
        std::remove("diag.txt");
        ASSERT_EQ(recio::Open(kDiag, "diag.txt", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
        error_ = 0;
    }
    void Close()
    {
        recio::Close(kDef);
        recio::Close(kDiag);
    }
    // The diagnostic lines so far (both files are closed).
    Lines Diag()
    {
        Close();
        return deffix::Lines("diag.txt");
    }

    static constexpr int32_t kDef = 70, kDiag = 71;
    static constexpr int32_t kStrict = -1, kLenient = 0;
    char record_[80] = {};
    int32_t record_number_ = 0;
    int32_t error_ = 0;
};

// A blank-padded text field.
inline std::string Field(const std::string &text, size_t length)
{
    return flowfix::Field(text, length);
}

// The records of an unformatted file, each as its bytes.
inline std::vector<Bytes> Records(const std::string &path)
{
    std::vector<Bytes> records;
    const int unit = 74;
    if (recio::Open(unit, path, recio::Form::kUnformatted, recio::Access::kSequential, recio::OpenStatus::kOld) !=
        recio::kOk)
        return records;
    for (;;) {
        size_t bytes = 0;
        if (recio::ReadRecord(unit, nullptr, 0, &bytes) != recio::kOk || recio::Backspace(unit) != recio::kOk)
            break;
        Bytes record(bytes);
        if (recio::ReadRecord(unit, record.data(), bytes) != recio::kOk)
            break;
        records.push_back(record);
    }
    recio::Close(unit);
    return records;
}

inline std::vector<Bytes> Records(const std::vector<recio::RecordBytes> &records)
{
    std::vector<Bytes> out;
    for (const recio::RecordBytes &r : records)
        out.push_back(r.bytes());
    return out;
}

inline bool Exists(const std::string &path)
{
    return recio::FileExists(path);
}

}  // namespace bndfix

#endif
