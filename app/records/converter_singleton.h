// The shape every list-to-record converter shares: one process-wide
// instance, created on first use and destroyed explicitly when the main
// window goes (a later GetInstance creates a new one).
//
//   class CResults : public ConverterSingleton<CResults> { ... };
//
// The converters hold no state their operations use. GetInstance and
// DestroyInstance may be called from any thread; the caller must not
// destroy an instance that another thread is still using.
#pragma once

#include <memory>
#include <mutex>

template <class Converter>
class ConverterSingleton {
public:
    ConverterSingleton(const ConverterSingleton&) = delete;
    ConverterSingleton& operator=(const ConverterSingleton&) = delete;
    virtual ~ConverterSingleton() = default;

    static Converter* GetInstance() {
        std::lock_guard lock(mutex_);
        if (!instance_) instance_.reset(new Converter);
        return instance_.get();
    }

    static void DestroyInstance() {
        std::unique_ptr<Converter> gone;
        std::lock_guard lock(mutex_);
        gone.swap(instance_);
    }

protected:
    ConverterSingleton() = default;

private:
    static inline std::mutex mutex_;
    static inline std::unique_ptr<Converter> instance_;
};
