// The library's bar-code converter: a process-wide holder of one scratch
// item, which the service report creates with the other record classes.
#pragma once

#include "dravik/parameter_list.h"

namespace dravik {

class CExtractBarCode {
public:
    // The instance, created on first use; null when it cannot be allocated
    // (the next call tries again). Any thread.
    static CExtractBarCode* GetInstance();
    // Deletes the instance; the next GetInstance makes a new one.
    static void DestroyInstance();

    CExtractBarCode() = default;
    CExtractBarCode(const CExtractBarCode&) = delete;
    CExtractBarCode& operator=(const CExtractBarCode&) = delete;
    // Clears the process-wide pointer when this is the instance.
    virtual ~CExtractBarCode();

    ParameterItem& item() { return item_; }

private:
    ParameterItem item_;
};

}  // namespace dravik
