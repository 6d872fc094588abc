#pragma once
// A reading as the worker fetches it while the sensor holds the result
// locked, and what the fetch needs to know of the window. The GUI thread
// turns the lists into the window's tables (CReadResults) and never calls
// the library for a reading, so a silent sensor cannot freeze the window.
#include <cstdint>
#include <string>
#include <vector>

#include "dravik/parameter_list.h"

// Arguments of a reading's fetch, copied from the window when it is posted.
struct ReadingArgs {
    int first = -1;  // the result to lock: -1, 0 the newest; a stored result's number ...
    int second = 0;  // ... and option
    bool monitor = false;  // in the monitor the active configuration (2) is read again first
    bool extended = false;
    // The slots' code types so far: a code whose general result came back
    // empty keeps its slot's, as the window's table does.
    std::vector<int> codeTypes;
};

// One code of the reading whose general result came, as the sensor sent it.
// A list the fetch did not ask for, or whose call failed, is empty.
struct CodeFetch {
    ParameterList result;  // the general result
    int codeType = 0;      // the general result's, else the slot's earlier one
    std::string text;      // the code's bytes as shown: UTF-8, control characters escaped
    ParameterList detail;  // the family's code result
    ParameterList quality;
};

struct ReadingFetch {
    bool fetched = false;  // the records were asked for (a failed lock or picture asks nothing)
    bool monitor = false;  // configuration 2 was read again ...
    int configStatus = 0;  // ... with this status, into config
    ParameterList config;
    // In order; when a call failed, up to the code whose detail or quality
    // failed, or before the code whose general result failed.
    std::vector<CodeFetch> codes;
    int failure = 0;  // the failed call's status; 0 when every code was read
    bool statisticsRead = false;   // after a whole reading (not a single decode)
    int statisticsStatus = 0;
    int total = 0, good = 0;
};
