#pragma once
// A configuration write that waits for the outstanding commands runs their
// replies meanwhile. When one of them reads the configuration, the sensor's
// list does not hold the change the write is about to send yet: the read
// keeps that change, so the pages show what is then written.
#include "dravik/parameter_list.h"

struct MainDialogState;

// Held over a configuration write, its wait and its send. A write inside
// another's wait compares with the first one's list; once it has sent the
// records (`Sent`), the first one compares with the list it sent.
class WaitingConfigWrite {
public:
    explicit WaitingConfigWrite(MainDialogState& s);
    ~WaitingConfigWrite();
    WaitingConfigWrite(const WaitingConfigWrite&) = delete;
    WaitingConfigWrite& operator=(const WaitingConfigWrite&) = delete;

    void Sent() { sent_ = true; }

private:
    MainDialogState& s_;
    bool outer_;
    bool sent_ = false;
};

// For a configuration read, before its list is read into the records: while
// a write waits, the items its records change against the list they came
// from go onto the list just read (the sensor's other values come in).
// Nothing while no write waits, nor when the write had no configuration to
// start from (it could not have been encoded without this read).
void KeepWaitingChanges(MainDialogState& s);
