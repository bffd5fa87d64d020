// The time frame (reference dates in both forms, the time step floor,
// steps of the start and stop times, the time zone) and the smoothing
// section (smoothing steps, return times of the open boundaries).

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;

class TimeFrame : public bndfix::BoundaryTest {
protected:
    void Read(bool strict)
    {
        const int32_t mode = strict ? kStrict : kLenient;
        date_number_ = julian_ = start_step_ = stop_step_ = 0;   // cleared by the driver
        READ_TIME_FRAME(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, date_, 10, &tstart_, &tstop_,
                        &tzone_, &date_number_, &julian_, &start_step_, &stop_step_, &dt_, unit_, 1, &seconds_);
    }
    // A definition with the given date and the other keywords of a valid
    // frame.
    void OpenWith(const std::string &date, const std::string &dt = "1", const std::string &start = "0",
                  const std::string &stop = "60")
    {
        Open({"Itdate = #" + date + "#", "Tunit  = #M#", "Dt     = " + dt, "Tstart = " + start, "Tstop  = " + stop});
    }

    char date_[10] = {}, unit_[1] = {};
    float tstart_ = -1, tstop_ = -1, tzone_ = -3, dt_ = -1, seconds_ = 0;
    int32_t date_number_ = 0, julian_ = 0, start_step_ = 0, stop_step_ = 0;
};

TEST_F(TimeFrame, ReferenceDates)
{
    struct Case {
        const char *value;
        const char *text;    // stored
        int32_t number;
        int32_t julian;
    };
    const std::vector<Case> cases = {
        {"2024-06-15", "2024-06-15", 20240615, 2460477},
        {"1993/01/01", "1993-01-01", 19930101, 2448989},
        {"2000-02-29", "2000-02-29", 20000229, 2451604},
        {"01 jan 93", "1993-01-01", 19930101, 0},   // the year after the month name
        {"15 DEC 99", "1999-12-15", 19991215, 0},
        {"1900-02-29", "", 0, 0},
        {"30 feb 93", "", 0, 0},
        {"19x3-01-01", "", 0, 0},
        {"01 xyz 93", "", 0, 0},
        {"01 janu", "", 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        for (bool strict : {false, true}) {
            OpenWith(c.value);
            Read(strict);
            EXPECT_EQ(std::string(date_, 10), bndfix::Field(c.text, 10));
            EXPECT_EQ(date_number_, c.number);
            EXPECT_EQ(julian_, c.julian);
            const bool valid = c.number != 0;
            EXPECT_EQ(error_ != 0, strict && !valid);
            EXPECT_EQ(Diag(), valid ? Lines{} : Lines{"V007 Itdate"});
        }
    }
}

TEST_F(TimeFrame, StepsOfTheTimes)
{
    struct Case {
        const char *label;
        const char *dt, *start, *stop;
        float time_step;
        int32_t start_step, stop_step;
        bool error;   // in strict mode
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"whole steps", "2", "10", "30", 2, 5, 15, false, {}},
        {"a tenth of a step off", "0.1", "10.04", "20", 0.1f, 100, 200, true, {"U044 Start time"}},
        {"stop equal to start", "1", "5", "5", 1, 5, 5, false, {"V041 Stop time must be >="}},
        {"stop before start", "1", "5", "2", 1, 5, 5, false, {"V041 Stop time must be >="}},
        {"time step zero is floored", "0", "0", "1", 0.000001f, 0, 1000000, false, {}},
        {"steps beyond 32 bits", "0", "0", "1e6", 0.000001f, 0, 0, true,
         {"U036 Tstop", "V041 Stop time must be >="}},
        {"bad time step", "x", "0", "1", 0.000001f, 0, 1000000, true, {"U036 Dt"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        OpenWith("2024-01-01", c.dt, c.start, c.stop);
        Read(true);
        EXPECT_EQ(dt_, c.time_step);
        EXPECT_EQ(start_step_, c.start_step);
        EXPECT_EQ(stop_step_, c.stop_step);
        EXPECT_EQ(error_ != 0, c.error);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(TimeFrame, UnitZoneAndMissingKeywords)
{
    Open({"Itdate = #2024-01-01#", "Tunit  = #S#", "Dt     = 1", "Tstart = 0", "Tstop  = 10", "Tzone  = -2"});
    Read(false);
    EXPECT_EQ(unit_[0], 'S');
    EXPECT_EQ(seconds_, 60.0f);
    EXPECT_EQ(tzone_, -2.0f);
    EXPECT_EQ(Diag(), Lines{"V006 "});

    // Nothing given: the date text stays, the zone keeps its value.
    std::memcpy(date_, "keep  this", 10);
    tzone_ = 7;
    Open({"Runtxt = #x#"});
    Read(true);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(std::string(date_, 10), "keep  this");
    EXPECT_EQ(date_number_, 0);
    EXPECT_EQ(unit_[0], 'M');
    EXPECT_EQ(tzone_, 7.0f);
    EXPECT_EQ(Diag(), (Lines{"U100 Itdate", "U100 Tunit", "U100 Dt", "U100 Tstart", "U100 Tstop",
                             "V041 Stop time must be >="}));
}

class Smoothing : public bndfix::BoundaryTest {
protected:
    void Read(bool strict, int32_t openings, int32_t constituents = 1, float dt = 1)
    {
        const int32_t mode = strict ? kStrict : kLenient, lead = 100;
        READ_SMOOTHING_TIME(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, &steps_, &tlfsmo_, &dt,
                            &openings, &lead, &constituents, table_);
    }
    std::vector<float> Row(int i) const { return {table_[i], table_[100 + i]}; }

    int32_t steps_ = -1;
    float tlfsmo_ = -1;
    float table_[200] = {};
};

TEST_F(Smoothing, ReturnTimes)
{
    Open({"Tlfsmo = 30", "Rettim = 5 -1 7"});
    Read(true, 3);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(steps_, 30);
    EXPECT_EQ(Row(0), (std::vector<float>{5, 5}));
    EXPECT_EQ(Row(1), (std::vector<float>{0, 0}));
    EXPECT_EQ(Row(2), (std::vector<float>{7, 7}));
    EXPECT_EQ(Diag(), Lines{"U057 Th. Harlemann opening nr.   2"});

    Open({"Tlfsmo = 2.5", "Rettis = 1 2", "Rettib = 3 -4", "Rettim = 9 9"});
    Read(true, 2, 1, 2);
    EXPECT_NE(error_, 0);   // 2.5 is not a whole number of steps of 2
    EXPECT_EQ(steps_, 1);
    EXPECT_EQ(Row(0), (std::vector<float>{1, 3}));
    EXPECT_EQ(Row(1), (std::vector<float>{2, 0}));
    EXPECT_EQ(Diag(), (Lines{"U044 Smoothing time", "U057 Th. Harlemann opening nr.   2"}));

    // Without constituents no return time is read; without any record the
    // table keeps its values.
    table_[0] = 42;
    Open({"Tlfsmo = 0", "Rettim = 1"});
    Read(false, 1, 0);
    EXPECT_EQ(table_[0], 42.0f);
    Open({"Tlfsmo = 0"});
    Read(false, 1);
    EXPECT_EQ(table_[0], 42.0f);
    EXPECT_EQ(Diag(), Lines{});
}

}  // namespace
